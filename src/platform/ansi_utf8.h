#pragma once

#include <string>

// Windows-1252 program text and UTF-8 system text, converted where the program
// meets the system (file names, window titles, the terminal).

std::string AnsiToUtf8(const std::string& text);
// Characters that Windows-1252 cannot hold, and bytes that are no valid UTF-8,
// become "?".
std::string Utf8ToAnsi(const std::string& text);
