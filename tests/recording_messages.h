#pragma once

#include "support/messages.h"

#include <cstdint>
#include <string>
#include <vector>

// Records what the program would show instead of showing it: the texts of its
// dialogs and notices in order, and its plain complaints apart. Every dialog is
// answered with `answer`. Install it with SetMessageService.
class RecordingMessages final : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string& message, std::uint8_t, std::uint16_t, int) override
    {
        shown.push_back(message);
        return answer;
    }
    void ShowMessage(const std::string& message) override { shown.push_back(message); }
    void PlainMessage(const std::string& text) override { plain.push_back(text); }

    std::vector<std::string> shown;
    std::vector<std::string> plain;
    std::uint16_t answer = mrOk;
};
