#pragma once

#include <cstdint>

class QWidget;

// Switching the open windows between German and English.
//
// Every window of the application (QApplication::topLevelWidgets without a
// parent) and every object it owns is translated by kind: buttons, check
// boxes, labels, radio buttons and tool buttons (caption and tool tip),
// window titles, group box titles, list view column captions but the last,
// menu actions, line edit texts, spin box hints, tab texts, the project's own
// controls.
//
// Controls whose caption is not their native Qt text (TMyLabel, TMyCheckBox,
// TMyRadioButton) keep it in the Qt property "Caption" (QString). A panel is a
// plain QFrame (or a widget inheriting "TPanel"); its caption, when it has one,
// is the QFrame's "Caption" property too, and a caption beginning with "Panel"
// (a panel's default caption) is left alone.

// Switches all windows from the current language to the given one. False while
// translation is off or for a language above 1; true when the windows are in
// that language afterwards.
bool TranslateForms(int language);

// Translates one window and the objects it owns; what TranslateForms does for
// every window.
void TranslateWindow(QWidget* window, std::uint8_t fromLanguage, std::uint8_t toLanguage);

// Shows the controls of a window, made in German when it is first shown, in the
// language in use.
void TranslateNewControls(QWidget* window);
