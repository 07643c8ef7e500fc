#include "support/messages.h"

#include "support/translation.h"

#include <iostream>

namespace {

// Until the windows install their dialogs, messages are written to standard
// error and every question is answered as if its box had been closed.
class ConsoleMessages final : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string& message, std::uint8_t, std::uint16_t, int) override
    {
        std::cerr << message << '\n';
        return mrCancel;
    }
    void ShowMessage(const std::string& message) override { std::cerr << message << '\n'; }
    void PlainMessage(const std::string& text) override { std::cerr << text << '\n'; }
};

ConsoleMessages consoleMessages;
MessageService* currentService = &consoleMessages;

} // namespace

MessageService* SetMessageService(MessageService* service)
{
    MessageService* previous = currentService;
    currentService = service ? service : &consoleMessages;
    return previous;
}

std::uint16_t MyMessageDlg(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons, int helpContext)
{
    return currentService->MessageDlg(message, dialogType, buttons, helpContext);
}

void MyShowMessage(const std::string& message)
{
    currentService->ShowMessage(message);
}

void ShowPlainMessage(const std::string& text)
{
    currentService->PlainMessage(text);
}

void ShowPlainNotice(const std::string& message)
{
    ShowPlainMessage(TranslateProgramText(message));
}
