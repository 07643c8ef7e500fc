#pragma once

#include <string>

class QWidget;

// The program's question for one line of text: caption, prompt, an edit line
// holding value, and the buttons "&Ok" and "&Abbruch". Caption and prompt are
// German program texts, translated here. True when the user confirms; value
// then holds the line (Windows-1252). Escape and the close box cancel.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value, QWidget* parent = nullptr);
