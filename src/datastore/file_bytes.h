#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole files as byte strings. The path is the system's own (UTF-8 on Linux).
// Both throw std::system_error naming the file when the system refuses.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);

// A file counts as write-protected when its write bits are all off, or when we
// may not write it for another reason (owner, read-only mount). False when it
// does not exist.
bool IsWriteProtected(const std::string& path);

// Writes the bytes to a new file beside path, flushes it to disk and renames it
// over path, so that a reader or a crash sees the old contents or the new, never
// a mix. The new file takes the given permissions within the user's umask, else
// the old file's, else the umask's defaults; it is never writable by others, and
// only the user's own in a folder others can write to. A symbolic link is
// followed (the file it names is replaced) unless it lies in such a folder; a
// file of another user is never replaced. Throws
// std::filesystem::filesystem_error naming the file; path is then unchanged.
void ReplaceFileBytes(const std::string& path, std::string_view bytes,
                      std::optional<std::filesystem::perms> permissions = std::nullopt);
