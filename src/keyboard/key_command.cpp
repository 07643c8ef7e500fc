#include "keyboard/key_command.h"

#include <array>
#include <string_view>
#include <utility>

KeyCommand CommandOfName(const std::string& upperName)
{
    static constexpr std::array<std::pair<std::string_view, KeyCommand>, 8> commands = {{
        {"ALT", KeyCommand::ToggleAlt},
        {"CTRL-LINKS", KeyCommand::ToggleCtrl},
        {"CTRL-RECHTS", KeyCommand::ToggleCtrl},
        {"SHIFT-LINKS", KeyCommand::ToggleShift},
        {"SHIFT-RECHTS", KeyCommand::ToggleShift},
        {"CLOSE", KeyCommand::Close},
        {"INFO", KeyCommand::Info},
        {"CHARMAP", KeyCommand::CharMap},
    }};
    for (const auto& [name, command] : commands)
        if (name == upperName)
            return command;
    return KeyCommand::None;
}

std::uint16_t KeystrokeCode(const std::string& name, std::uint16_t code)
{
    constexpr std::uint16_t kComma = 44, kPeriod = 46, kCircumflex = 94;
    constexpr std::uint16_t kDecimalKey = 110, kPeriodKey = 190, kCircumflexKey = 220;
    if (name == "," && code == kComma)
        return kDecimalKey;
    if (name == "." && code == kPeriod)
        return kPeriodKey;
    if (name == "^" && code == kCircumflex)
        return kCircumflexKey;
    return code;
}
