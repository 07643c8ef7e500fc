#include "layout/key_list.h"

#include "services/text_helpers.h"

#include <limits>

namespace {

bool FitsInt32(std::int64_t value)
{
    return value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

KeyListEntry ParseKeyListLine(const std::string& line)
{
    const std::string text = TrimStr(line);
    const std::size_t separator = text.find(';');
    if (separator == std::string::npos) {
        return {text, -1};
    }
    const std::string codeText = text.substr(separator + 1);
    const std::int64_t code = StrToInt64De(codeText);
    if (!FitsInt32(code)) {
        // "Tastencode außerhalb des gültigen Bereichs: %s"
        throw KeyTableError("Tastencode au\xDF"
                            "erhalb des g\xFCltigen Bereichs: %s|" +
                            text);
    }
    return {text.substr(0, separator), static_cast<std::int32_t>(code)};
}

void BuildKeyList(KeyTable& table, const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    std::vector<std::int32_t> codes;
    for (const std::string& line : lines) {
        KeyListEntry entry = ParseKeyListLine(line);
        names.push_back(std::move(entry.name));
        codes.push_back(entry.code);
    }
    table.SetKeys(std::move(names), codes);
}
