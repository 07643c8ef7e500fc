#pragma once

#include "support/message_dialog_layout.h"
#include "support/messages.h"

#include <cstdint>
#include <functional>
#include <string>

// The program's message box and notice box as Qt dialogs. Texts are German
// program texts; both dialogs translate them (with a parameter behind "|").

// Shows the message box modally and returns the result of the button pressed;
// closing it by its close box gives 2.
std::uint16_t ShowMessageDialog(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons);
// Shows the notice with one OK button; long texts wrap at half the screen width.
void ShowNotice(const std::string& message);

// Plays a dialog's sound; the display's bell unless replaced (tests record it).
using DialogSoundPlayer = std::function<void(DialogSound)>;
DialogSoundPlayer SetDialogSoundPlayer(DialogSoundPlayer player);

// Installs the Qt dialogs as the program's MessageService (the plain message
// is a QMessageBox, translated like the others when the language list knows
// it) and returns the service it replaces.
MessageService* InstallQtMessages();
