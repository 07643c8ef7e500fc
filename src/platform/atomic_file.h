#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The system's half of datastore/file_bytes.h: the calls that replace a file in
// one step and ask whether we may write one. Each platform back-end defines them.

// Writes the bytes to a new file beside the file at path, flushes it to disk,
// gives it its permissions and renames it over that file. A link at path is
// followed only in a folder no other user can write to; a file of another user
// is never replaced. The permissions are those asked for, within the user's
// umask, else the old file's, else the defaults of the umask; never writable by
// others, and only the user's own in a folder others can write to. Temporary
// files that earlier writes of the same file left behind when they were killed
// are removed. Throws std::filesystem::filesystem_error naming the file; it is
// then unchanged and no new file is left behind.
void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           std::optional<std::filesystem::perms> permissions);

// True when the system would refuse us writing the existing file at path for a
// reason its permission bits do not show (owner, read-only mount).
bool SystemRefusesWriting(const std::string& path);
