#include "platform/linux/desktop_entry.h"

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

} // namespace

std::string DesktopEntryText(const std::string& name, const std::string& target, const std::string& workFolder,
                             const std::string& icon)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n"
                       "Name=" + EscapeValue(name) + "\n"
                       "Exec=" + ExecArgument(target) + "\n";
    if (!workFolder.empty())
        text += "Path=" + EscapeValue(workFolder) + "\n";
    if (!icon.empty())
        text += "Icon=" + EscapeValue(icon) + "\n";
    text += "Terminal=false\n"
            "Categories=Utility;Accessibility;\n";
    return text;
}

std::string DesktopEntryFileName(const std::string& linkFile)
{
    const std::string suffix = ".lnk";
    std::string stem = linkFile;
    if (stem.size() >= suffix.size())
        stem.erase(stem.size() - suffix.size());
    return stem + ".desktop";
}
