#include "key_caps.h"

#include "platform/ansi_utf8.h"

#include <QHash>

namespace {

using Kind = KeyCap::Kind;

KeyCap Letter(const QString& text)
{
    return {Kind::Letter, text, {}, false};
}
KeyCap Pair(const QString& lower, const QString& upper)
{
    return {Kind::Pair, lower, upper, false};
}
KeyCap Word(const QString& text, const QString& second = {})
{
    return {Kind::Word, text, second, true};
}
KeyCap Pad(const QString& digit, const QString& function)
{
    return {Kind::NumberPad, digit, function, false};
}
KeyCap PadSign(const QString& sign)
{
    return {Kind::Word, sign, {}, false};
}

// Caps of the stored key list, by the key's name as UTF-8.
const QHash<QString, KeyCap>& KnownCaps()
{
    static const QHash<QString, KeyCap> caps = {
        {"1", Pair("1", "!")},
        {"2", Pair("2", "\"")},
        {"3", Pair("3", "§")},
        {"4", Pair("4", "$")},
        {"5", Pair("5", "%")},
        {"6", Pair("6", "&")},
        {"7", Pair("7", "/")},
        {"8", Pair("8", "(")},
        {"9", Pair("9", ")")},
        {"0", Pair("0", "=")},
        {"ß", Pair("ß", "?")},
        {"´", Pair("´", "`")},
        {"^", Pair("^", "°")},
        {"+", Pair("+", "*")},
        {"#", Pair("#", "'")},
        {"<", Pair("<", ">")},
        {",", Pair(",", ";")},
        {".", Pair(".", ":")},
        {"-", Pair("-", "_")},
        {"ESC", Word("Esc")},
        {"Return", Word("↵")},
        {"Back", Word("⟵")},
        {"Tab", Word("↹")},
        {"Space", {Kind::Blank, {}, {}, false}},
        {"SHIFT-Links", Word("⇧")},
        {"SHIFT-Rechts", Word("⇧")},
        {"ALT", Word("Alt")},
        {"CTRL-Links", Word("Strg")},
        {"CTRL-Rechts", Word("Strg")},
        {"WinLinks", {Kind::SystemKey, {}, {}, true}},
        {"WinRechts", {Kind::SystemKey, {}, {}, true}},
        {"Pop", {Kind::MenuKey, {}, {}, true}},
        {"Druck", Word("Druck", "S-Abf")},
        {"Rollen", Word("Rollen")},
        {"Pause", Word("Pause", "Untbr")},
        {"Pos1", Word("Pos1")},
        {"Einfügen", Word("Einfg")},
        {"Entfernen", Word("Entf")},
        {"Ende", Word("Ende")},
        {"Cursor hoch", Word("↑")},
        {"Cursor links", Word("←")},
        {"Cursor runter", Word("↓")},
        {"Cursor rechts", Word("→")},
        {"Bild hoch", Word("Bild", "↑")},
        {"Bild ab", Word("Bild", "↓")},
        {"Num", Word("Num")},
        {"Num ÷", PadSign("/")},
        {"Num *", PadSign("*")},
        {"Num -", PadSign("−")},
        {"Num +", PadSign("+")},
        {"Num Return", PadSign("↵")},
        {"Num 1", Pad("1", "Ende")},
        {"Num 2", Pad("2", "↓")},
        {"Num 3", Pad("3", "Bild↓")},
        {"Num 4", Pad("4", "←")},
        {"Num 5", Pad("5", "")},
        {"Num 6", Pad("6", "→")},
        {"Num 7", Pad("7", "Pos1")},
        {"Num 8", Pad("8", "↑")},
        {"Num 9", Pad("9", "Bild↑")},
        {"Num 0", Pad("0", "Einfg")},
        {"Num ,", Pad(",", "Entf")},
    };
    return caps;
}

} // namespace

KeyCap CapForKey(const std::string& name)
{
    const QString text = QString::fromStdString(AnsiToUtf8(name));
    const auto known = KnownCaps().find(text);
    if (known != KnownCaps().end()) {
        return known.value();
    }
    if (text.size() == 1) {
        return Letter(text.toUpper());
    }
    // F1 to F24 and any key the list may add later.
    return Word(text);
}
