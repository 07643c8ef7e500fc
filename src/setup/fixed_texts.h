#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The vendor name, the contact address and the author are kept scrambled in the
// program file, so that they are not changed there by a plain text search, and
// are turned into text when the information form is created.

// Scrambles text, or turns scrambled bytes back into text (the operation is its own inverse).
std::string Unscramble(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> Scramble(const std::string& text);

std::string MakerText();   // the vendor name
std::string ContactText(); // the e-mail address
std::string AuthorText();  // the author, written as "von" with an installation
