#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The system's half of datastore/file_bytes.h: the calls that replace a file in
// one step and ask whether we may write one. Each platform back-end defines them.

// Writes the bytes to a new file beside target, flushes it to disk, gives it the
// permissions (else the defaults for a new file) and renames it over target.
// target is the file itself, never a link to it. Throws
// std::filesystem::filesystem_error naming target; target is then unchanged and
// no new file is left behind.
void ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           std::optional<std::filesystem::perms> permissions);

// True when the system would refuse us writing the existing file at path for a
// reason its permission bits do not show (owner, read-only mount).
bool SystemRefusesWriting(const std::string& path);
