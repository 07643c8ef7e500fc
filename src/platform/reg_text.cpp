#include "platform/reg_text.h"

#include "platform/ansi_utf8.h"
#include "services/text_helpers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace {

bool IsBelow(const std::string& path, const std::string& ancestor)
{
    return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
           SameRegName(path.substr(0, ancestor.size()), ancestor);
}

std::string QuoteRegText(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out + '"';
}

// Reads a quoted text starting at line[pos] == '"'; pos ends behind the closing quote.
std::optional<std::string> ReadQuoted(const std::string& line, std::size_t& pos)
{
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++pos == line.size())
            return std::nullopt;
        switch (line[pos]) {
        case '\\': text += '\\'; break;
        case '"': text += '"'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

// A hexadecimal value ("name"=hex:... or @=hex(2):...) is the only kind that
// may go on over several lines.
bool StartsHexValue(const std::string& line)
{
    std::size_t pos = 1;
    if (line.starts_with('"')) {
        pos = 0;
        if (!ReadQuoted(line, pos))
            return false;
    } else if (!line.starts_with('@')) {
        return false;
    }
    return line.compare(pos, 4, "=hex") == 0;
}

// A line that starts a key, a value or a comment.
bool StartsEntry(const std::string& line)
{
    const std::string trimmed = TrimStr(line);
    return !trimmed.empty() && std::string_view("[@\";").find(trimmed[0]) != std::string_view::npos;
}

// A line goes on on the next one when it ends in a backslash, whatever blanks
// and control bytes follow it: the line without its trailing backslashes, or
// nothing for a line that is whole. A value read this way never ends in a
// backslash, so written back on one line it is read whole again.
std::optional<std::string> ContinuedPart(const std::string& line)
{
    std::string part = TrimStr(line);
    if (!part.ends_with('\\'))
        return std::nullopt;
    while (part.ends_with('\\'))
        part = TrimStr(part.substr(0, part.size() - 1));
    return part;
}

std::optional<std::uint32_t> ReadDword(const std::string& digits)
{
    if (digits.empty() || digits.size() > 8 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
}

class Parser {
public:
    RegParseResult Run(const std::string& text);

private:
    bool Line(const std::string& line);
    bool KeyLine(const std::string& line);
    bool ValueLine(const std::string& line);
    bool Fail(const std::string& why)
    {
        error_ = why;
        return false;
    }

    RegDocument document_;
    RegKey* key_ = nullptr;
    std::string error_;
};

RegParseResult Parser::Run(const std::string& utf8Text)
{
    std::string text = utf8Text;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    std::istringstream lines(Utf8ToAnsi(text));
    std::string line;
    std::string pending; // a value continued over lines ending in "\"
    int number = 0;
    int pendingStart = 0;
    bool header = false;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!header) {
            if (line != kRegHeader && line != "REGEDIT4")
                return {std::nullopt, number, "die erste Zeile ist kein Registrierungskopf"};
            header = true;
            continue;
        }
        // Hexadecimal digits go on over lines; a key, a value or a comment
        // starts afresh, and the backslash before it was a stray one.
        if (!pending.empty() && StartsEntry(line)) {
            if (!Line(pending))
                return {std::nullopt, pendingStart, error_};
            pending.clear();
        }
        if (pending.empty())
            pendingStart = number;
        // Only values in hexadecimal continue; a text value ending in "\" is whole.
        const std::optional<std::string> continued = ContinuedPart(line);
        if (continued && (!pending.empty() || StartsHexValue(*continued))) {
            pending += *continued;
            continue;
        }
        if (!pending.empty()) {
            line = pending + TrimStr(line);
            pending.clear();
        }
        if (!Line(line))
            return {std::nullopt, pendingStart, error_};
    }
    if (!header)
        return {std::nullopt, 1, "der Registrierungskopf fehlt"};
    if (!pending.empty())
        return {std::nullopt, pendingStart, "ein fortgesetzter Wert endet nicht"};
    return {std::move(document_), 0, {}};
}

bool Parser::Line(const std::string& line)
{
    const std::string trimmed = TrimStr(line);
    if (trimmed.empty() || trimmed[0] == ';')
        return true;
    if (trimmed[0] == '[')
        return KeyLine(trimmed);
    return ValueLine(trimmed);
}

bool Parser::KeyLine(const std::string& line)
{
    if (line.back() != ']' || line.size() < 3)
        return Fail("eine Schl\xFC"
                    "sselzeile endet nicht mit \"]\"");
    if (line[1] == '-') { // a key removal, as import files write it
        document_.RemoveKey(line.substr(2, line.size() - 3));
        key_ = nullptr;
        return true;
    }
    const std::string path = line.substr(1, line.size() - 2);
    key_ = document_.FindKey(path);
    if (!key_)
        key_ = &document_.AddKey(path);
    return true;
}

bool Parser::ValueLine(const std::string& line)
{
    if (!key_)
        return Fail("ein Wert steht vor dem ersten Schl\xFC"
                    "ssel");
    std::size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
        pos = 1;
    } else if (line[0] == '"') {
        const auto quoted = ReadQuoted(line, pos);
        if (!quoted)
            return Fail("ein Wertname ist nicht geschlossen");
        name = *quoted;
    } else {
        return Fail("eine Zeile ist weder Schl\xFC"
                    "ssel noch Wert");
    }
    if (pos >= line.size() || line[pos] != '=')
        return Fail("auf einen Wertnamen folgt kein \"=\"");
    const std::string rest = line.substr(pos + 1);
    if (rest == "-") {
        RegDocument::RemoveValue(*key_, name);
        return true;
    }
    RegValue value;
    value.name = name;
    if (!rest.empty() && rest[0] == '"') {
        std::size_t at = 0;
        const auto quoted = ReadQuoted(rest, at);
        if (!quoted || at != rest.size())
            return Fail("ein Textwert ist nicht richtig geschlossen");
        value.text = *quoted;
    } else if (rest.starts_with("dword:")) {
        const auto dword = ReadDword(rest.substr(6));
        if (!dword)
            return Fail("ein dword-Wert hat nicht 1 bis 8 Hexadezimalziffern");
        value.type = RegValue::Type::Dword;
        value.dword = *dword;
    } else if (rest.starts_with("hex")) {
        value.type = RegValue::Type::Other;
        value.text = rest;
    } else {
        return Fail("ein Wert hat einen unbekannten Typ");
    }
    if (RegValue* old = RegDocument::FindValue(*key_, name))
        *old = value;
    else
        key_->values.push_back(value);
    return true;
}

} // namespace

bool SameRegName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && UpperStr(a) == UpperStr(b);
}

RegKey* RegDocument::FindKey(const std::string& path)
{
    for (RegKey& key : keys)
        if (SameRegName(key.path, path))
            return &key;
    return nullptr;
}

bool RegDocument::HasKey(const std::string& path) const
{
    return std::any_of(keys.begin(), keys.end(),
                       [&](const RegKey& key) { return SameRegName(key.path, path) || IsBelow(key.path, path); });
}

bool RegDocument::HoldsAnything(const std::string& path) const
{
    return std::any_of(keys.begin(), keys.end(), [&](const RegKey& key) {
        return IsBelow(key.path, path) || (SameRegName(key.path, path) && !key.values.empty());
    });
}

RegKey& RegDocument::AddKey(const std::string& path)
{
    keys.push_back(RegKey{path, {}});
    return keys.back();
}

bool RegDocument::RemoveKey(const std::string& path)
{
    const auto removed =
        std::erase_if(keys, [&](const RegKey& key) { return SameRegName(key.path, path) || IsBelow(key.path, path); });
    return removed > 0;
}

RegValue* RegDocument::FindValue(RegKey& key, const std::string& name)
{
    for (RegValue& value : key.values)
        if (SameRegName(value.name, name))
            return &value;
    return nullptr;
}

bool RegDocument::RemoveValue(RegKey& key, const std::string& name)
{
    return std::erase_if(key.values, [&](const RegValue& value) { return SameRegName(value.name, name); }) > 0;
}

RegParseResult ParseRegText(const std::string& utf8Text)
{
    return Parser().Run(utf8Text);
}

std::string FormatRegText(const RegDocument& document)
{
    std::string text = std::string(kRegHeader) + "\n";
    for (const RegKey& key : document.keys) {
        text += "\n[" + key.path + "]\n";
        for (const RegValue& value : key.values) {
            text += value.name.empty() ? std::string("@") : QuoteRegText(value.name);
            text += '=';
            switch (value.type) {
            case RegValue::Type::String: text += QuoteRegText(value.text); break;
            case RegValue::Type::Dword: {
                char digits[9];
                std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value.dword));
                text += std::string("dword:") + digits;
                break;
            }
            case RegValue::Type::Other: text += value.text; break;
            }
            text += '\n';
        }
    }
    return AnsiToUtf8(text + '\n'); // regedit ends its files with an empty line
}
