#pragma once

#include <string>
#include <string_view>

// Whole files as byte strings. The path is the system's own (UTF-8 on Linux).
// Both throw std::system_error naming the file when the system refuses.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
