#pragma once

#include <QIcon>

#include <string>

// The program's icon, from the information form's record: a keyboard in
// renderings of 16 to 128 pixels. Every window shows it through the toolkit's
// application object, where the entry point puts it.
QIcon AppIcon();

// The pictures an installation puts beside the program for its launchers.
std::string AppIconPng();
std::string AppIconSvg();
