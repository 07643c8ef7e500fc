#pragma once

#include <QString>

#include <string>

// Program texts are Windows-1252 bytes; Qt speaks Unicode. These convert at the edge.
QString FromAnsi(const std::string& text);
std::string ToAnsi(const QString& text);
