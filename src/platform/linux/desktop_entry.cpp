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

} // namespace

std::string DesktopEntryText(const DesktopEntry& entry)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n"
                       "Name=" + EscapeValue(entry.name) + "\n" +
                       ExecLine(entry.target, {});
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
        text += "\n[Desktop Action " + ActionId(action.name) + "]\n"
                "Name=" + EscapeValue(action.name) + "\n" +
                ExecLine(entry.target, action.arguments);
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
