#include "platform/linux/x11_german_keys.h"

#include <X11/keysym.h>

#include <array>
#include <utility>

namespace {

using Table = std::array<GermanKeySymbols, 256>;

constexpr std::pair<int, unsigned long> kAltGrSymbols[] = {
    {'Q', XK_at},          {'E', XK_EuroSign},      {'M', XK_mu},
    {'2', XK_twosuperior}, {'3', XK_threesuperior}, {'7', XK_braceleft},
    {'8', XK_bracketleft}, {'9', XK_bracketright},  {'0', XK_braceright},
    {0xDB, XK_backslash},  {0xBB, XK_asciitilde},   {0x3C, XK_bar},
    {0xE2, XK_bar},
};

void SetRange(Table& table, int firstKey, unsigned long firstSymbol, int count)
{
    for (int i = 0; i < count; ++i)
        table[static_cast<std::size_t>(firstKey + i)] = {firstSymbol + static_cast<unsigned long>(i), 0};
}

Table BuildTable()
{
    Table t{};
    t[0x08] = {XK_BackSpace, 0};
    t[0x09] = {XK_Tab, XK_ISO_Left_Tab};
    t[0x0D] = {XK_Return, 0};
    t[0x10] = {XK_Shift_L, 0};
    t[0x11] = {XK_Control_L, 0};
    t[0x12] = {XK_Alt_L, 0};
    t[0x13] = {XK_Pause, 0};
    t[0x14] = {XK_Caps_Lock, 0};
    t[0x1B] = {XK_Escape, 0};
    t[0x20] = {XK_space, 0};
    t[0x21] = {XK_Prior, 0};
    t[0x22] = {XK_Next, 0};
    t[0x23] = {XK_End, 0};
    t[0x24] = {XK_Home, 0};
    t[0x25] = {XK_Left, 0};
    t[0x26] = {XK_Up, 0};
    t[0x27] = {XK_Right, 0};
    t[0x28] = {XK_Down, 0};
    t[0x29] = {XK_Select, 0};
    t[0x2A] = {XK_Print, 0};
    t[0x2B] = {XK_Execute, 0};
    t[0x2C] = {XK_Print, 0}; // the screenshot key
    t[0x2D] = {XK_Insert, 0};
    t[0x2E] = {XK_Delete, 0};
    t[0x2F] = {XK_Help, 0};

    // Digits with the German symbols above them.
    const std::array<unsigned long, 10> aboveDigits = {XK_equal,     XK_exclam,    XK_quotedbl,  XK_section,
                                                       XK_dollar,    XK_percent,   XK_ampersand, XK_slash,
                                                       XK_parenleft, XK_parenright};
    for (int d = 0; d < 10; ++d)
        t[static_cast<std::size_t>(0x30 + d)] = {XK_0 + static_cast<unsigned long>(d),
                                                 aboveDigits[static_cast<std::size_t>(d)]};

    // The key list gives "<" and "^" by their character codes.
    t[0x3C] = {XK_less, XK_greater};
    t[0x5E] = {XK_asciicircum, XK_degree};

    for (int c = 0; c < 26; ++c)
        t[static_cast<std::size_t>(0x41 + c)] = {XK_a + static_cast<unsigned long>(c),
                                                 XK_A + static_cast<unsigned long>(c)};
    t[0x5B] = {XK_Super_L, 0};
    t[0x5C] = {XK_Super_R, 0};
    t[0x5D] = {XK_Menu, 0};

    SetRange(t, 0x60, XK_KP_0, 10);
    t[0x6A] = {XK_KP_Multiply, 0};
    t[0x6B] = {XK_KP_Add, 0};
    t[0x6C] = {XK_KP_Separator, 0};
    t[0x6D] = {XK_KP_Subtract, 0};
    // The German decimal key writes a comma; the "," key of the picture sends it too.
    t[0x6E] = {XK_comma, XK_semicolon};
    t[0x6F] = {XK_KP_Divide, 0};
    SetRange(t, 0x70, XK_F1, 24);
    t[0x90] = {XK_Num_Lock, 0};
    t[0x91] = {XK_Scroll_Lock, 0};
    t[0xA0] = {XK_Shift_L, 0};
    t[0xA1] = {XK_Shift_R, 0};
    t[0xA2] = {XK_Control_L, 0};
    t[0xA3] = {XK_Control_R, 0};
    t[0xA4] = {XK_Alt_L, 0};
    t[0xA5] = {XK_ISO_Level3_Shift, 0};

    // Punctuation keys of the German layout.
    t[0xBA] = {XK_udiaeresis, XK_Udiaeresis};
    t[0xBB] = {XK_plus, XK_asterisk};
    t[0xBC] = {XK_comma, XK_semicolon};
    t[0xBD] = {XK_minus, XK_underscore};
    t[0xBE] = {XK_period, XK_colon};
    t[0xBF] = {XK_numbersign, XK_apostrophe};
    t[0xC0] = {XK_odiaeresis, XK_Odiaeresis};
    t[0xDB] = {XK_ssharp, XK_question};
    t[0xDC] = {XK_dead_circumflex, XK_degree};
    t[0xDD] = {XK_dead_acute, XK_dead_grave};
    t[0xDE] = {XK_adiaeresis, XK_Adiaeresis};
    t[0xE2] = {XK_less, XK_greater};

    // The third level, typed with AltGr (Ctrl+Alt).
    for (const auto& [key, symbol] : kAltGrSymbols)
        t[static_cast<std::size_t>(key)].altGr = symbol;
    return t;
}

} // namespace

GermanKeySymbols GermanSymbolsOfVirtualKey(std::uint32_t virtualKey)
{
    static const Table table = BuildTable();
    return table[virtualKey & 0xFFu];
}
