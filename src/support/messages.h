#pragma once

#include <cstdint>
#include <string>

// The program's message dialogs as the portable code sees them. Texts are German
// and may carry a parameter behind "|"; the dialogs translate them. The windows
// install their dialogs at start-up; without them, messages go to standard error.

enum TMsgDlgType : std::uint8_t {
    mtWarning = 0,
    mtError = 1,
    mtInformation = 2,
    mtConfirmation = 3,
    mtCustom = 4,
};

// Button flags, and the results the buttons give.
enum : std::uint16_t {
    mbYes = 0x01,
    mbNo = 0x02,
    mbOK = 0x04,
    mbCancel = 0x08,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
    mbAll = 0x80,
};
enum : std::uint16_t {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

class MessageService {
public:
    virtual ~MessageService() = default;
    // Modal box with icon, text and buttons; returns the result of the button pressed.
    virtual std::uint16_t MessageDlg(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons,
                                     int helpContext) = 0;
    // Plain notice with one OK button.
    virtual void ShowMessage(const std::string& message) = 0;
    // Untranslated complaint meant for the developer (the platform's plain message box).
    virtual void PlainMessage(const std::string& text) = 0;
};

// Installs the service used by the functions below (nullptr restores the default)
// and returns the one it replaces.
MessageService* SetMessageService(MessageService* service);

std::uint16_t MyMessageDlg(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons,
                           int helpContext = 0);
void MyShowMessage(const std::string& message);
void ShowPlainMessage(const std::string& text);
// The plain message box for the user: the text is translated like the others'.
void ShowPlainNotice(const std::string& message);
