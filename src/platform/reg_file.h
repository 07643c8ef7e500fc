#pragma once

#include <optional>
#include <string>

// The bytes of a registry file and its text (UTF-8, lines ending in LF or CR LF).
// Files of the form "Windows Registry Editor Version 5.00" are UTF-16LE with a
// byte-order mark and CR LF line ends; that is how they are written, so that
// regedit and other tools read them. Older or hand-made files in UTF-8 are read
// as well.

// The text as UTF-16LE with a byte-order mark, each LF written as CR LF.
std::string EncodeRegFile(const std::string& utf8Text);

// The text of a file in UTF-16LE with a byte-order mark, or in UTF-8 with or
// without one, as UTF-8 without it. Nothing for UTF-16 that does not decode (an
// odd number of bytes, a surrogate without its partner).
std::optional<std::string> DecodeRegFile(const std::string& bytes);

// The file of the user's registry store; each back-end says where it keeps it.
std::string RegistryStorePath();
