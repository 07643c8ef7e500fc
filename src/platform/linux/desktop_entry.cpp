#include "platform/linux/desktop_entry.h"

#include <cctype>

namespace {

// The escapes of a string value: backslash and the control characters.
std::string EscapeValue(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

// One argument of the Exec key: quoted when it holds a reserved character, with
// the quoting rule's own escapes inside the quotes; "%" is doubled so that it
// is no field code.
std::string ExecArgument(const std::string& argument)
{
    const std::string reserved = " \t\n\"'\\><~|&;$*?#()`=";
    std::string quoted;
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    if (argument.find_first_of(reserved) != std::string::npos)
        quoted = "\"" + quoted + "\"";
    return EscapeValue(quoted);
}

// An action's identifier: its name's letters, digits and "-".
std::string ActionId(const std::string& name)
{
    std::string id;
    for (const char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-')
            id += c;
    return id.empty() ? "Action" : id;
}

std::string ExecLine(const std::string& target, const std::vector<std::string>& arguments)
{
    std::string line = "Exec=" + ExecArgument(target);
    for (const std::string& argument : arguments)
        line += " " + ExecArgument(argument);
    return line + "\n";
}

// The value of a key with its escapes undone.
std::string UnescapeValue(const std::string& value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's': out += ' '; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        default: out += value[i];
        }
    }
    return out;
}

// The first argument of an Exec value (escapes of the value already undone).
std::string FirstExecArgument(const std::string& exec)
{
    std::string argument;
    const bool quoted = exec.starts_with('"');
    for (std::size_t i = quoted ? 1 : 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted ? c == '"' : c == ' ')
            break;
        if (quoted && c == '\\' && i + 1 < exec.size())
            argument += exec[++i];
        else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%')
            argument += exec[i++];
        else
            argument += c;
    }
    return argument;
}

} // namespace

std::string DesktopEntryText(const DesktopEntry& entry)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n"
                       "Name=" +
                       EscapeValue(entry.name) + "\n" + ExecLine(entry.target, {});
    if (!entry.workFolder.empty())
        text += "Path=" + EscapeValue(entry.workFolder) + "\n";
    if (!entry.icon.empty())
        text += "Icon=" + EscapeValue(entry.icon) + "\n";
    text += "Terminal=false\n"
            "Categories=Utility;Accessibility;\n";
    if (entry.actions.empty())
        return text;
    text += "Actions=";
    for (const DesktopEntry::Action& action : entry.actions)
        text += ActionId(action.name) + ";";
    text += "\n";
    for (const DesktopEntry::Action& action : entry.actions) {
        text += "\n[Desktop Action " + ActionId(action.name) +
                "]\n"
                "Name=" +
                EscapeValue(action.name) + "\n" + ExecLine(entry.target, action.arguments);
    }
    return text;
}

std::string DesktopEntryText(const std::string& name, const std::string& target, const std::string& workFolder)
{
    return DesktopEntryText(DesktopEntry{name, target, workFolder, {}, {}});
}

std::string DesktopEntryFileName(const std::string& linkFile)
{
    const std::string suffix = ".lnk";
    std::string stem = linkFile;
    if (stem.size() >= suffix.size())
        stem.erase(stem.size() - suffix.size());
    return stem + ".desktop";
}

std::string LinkFileNameOf(const std::string& desktopEntryFile)
{
    const std::string suffix = ".desktop";
    std::string stem = desktopEntryFile;
    if (stem.ends_with(suffix))
        stem.erase(stem.size() - suffix.size());
    return stem + ".lnk";
}

std::optional<std::string> DesktopEntryTarget(const std::string& text)
{
    bool inEntry = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.starts_with('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && line.starts_with("Exec="))
            return FirstExecArgument(UnescapeValue(line.substr(5)));
    }
    return std::nullopt;
}
