#include "layout/key_table.h"

#include <string>

void KeyTable::SetKeys(std::vector<std::string> names, const std::vector<std::int32_t>& codes)
{
    if (codes.size() != names.size()) {
        throw std::invalid_argument("KeyTable::SetKeys: one code per name");
    }
    if (names.size() > static_cast<std::size_t>(kKeyTableSize)) {
        // "Die Tastenliste hat %s Zeilen; höchstens 133 sind möglich."
        throw KeyTableError("Die Tastenliste hat %s Zeilen; h\xF6"
                            "chstens 133 sind m\xF6glich.|" +
                            std::to_string(names.size()));
    }
    for (std::size_t i = 0; i < codes.size(); ++i) {
        records_[i].Code = codes[i];
    }
    names_ = std::move(names);
}
