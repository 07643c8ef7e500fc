#include "layout/layout_reader.h"

#include "platform/ansi_utf8.h"
#include "services/text_helpers.h"
#include "support/ini_file.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <set>

namespace {

const char* const kAllSection = "All";

[[noreturn]] void ThrowOutOfRange(const std::string& section, const std::string& key)
{
    // "Wert außerhalb des gültigen Bereichs: %s"
    throw KeyTableError("Wert au\xDF"
                        "erhalb des g\xFCltigen Bereichs: %s|[" +
                        section + "] " + key);
}

std::int64_t ReadRanged(tinifile2& layout, const std::string& section, const std::string& key,
                        std::int64_t defaultValue, std::int64_t low, std::int64_t high)
{
    const std::int64_t value = layout.ReadInteger(section, key, defaultValue);
    if (value < low || value > high) {
        ThrowOutOfRange(section, key);
    }
    return value;
}

// Keys lie on the picture, and a picture is an X11 drawable: at most 32767
// pixels a side, at coordinates that fit 16 bits. A value beyond that could
// never be hit or shown, and within it the hit test's sums stay far inside
// 32 bits. A negative size would make a key that nothing hits.
constexpr std::int64_t kLastPixel = 32767;

std::int32_t ReadPosition(tinifile2& layout, const std::string& section, const std::string& key,
                          std::int64_t defaultValue)
{
    return static_cast<std::int32_t>(ReadRanged(layout, section, key, defaultValue, -kLastPixel - 1, kLastPixel));
}

std::int32_t ReadSize(tinifile2& layout, const std::string& section, const std::string& key, std::int64_t defaultValue)
{
    return static_cast<std::int32_t>(ReadRanged(layout, section, key, defaultValue, 0, kLastPixel));
}

// Reads one key's section into its record. A key without "p0x" is not placed:
// it gets the opposite of the default "Enabled" and keeps its other coordinates.
void ReadKey(tinifile2& layout, const std::string& section, const LayoutBoxes& boxes, bool enabledDefault,
             TKeyRecord& key)
{
    key.Enabled = layout.ReadBool(section, "Enabled", enabledDefault);
    key.Typ = static_cast<std::uint8_t>(ReadRanged(layout, section, "Typ", 0, 0, 255));
    key.p0x = ReadPosition(layout, section, "p0x", -1);
    if (key.p0x == -1) {
        key.Enabled = !enabledDefault;
        return;
    }
    key.p0y = ReadPosition(layout, section, "p0y", -1);
    key.p1x = ReadSize(layout, section, "p1x", boxes.Breite);
    key.p1y = ReadSize(layout, section, "p1y", boxes.Hoehe);
}

// Whether the text has the section "All" or a section of one of the keys; any
// other INI text would read as a layout that places no key.
bool HasLayoutSection(const tinifile2& layout, const KeyTable& table)
{
    std::set<std::string> sections = {"[ALL]"};
    for (const std::string& name : table.Names()) {
        sections.insert("[" + UpperStr(LowerStrDe(name)) + "]");
    }
    for (const std::string& line : layout.Lines()) {
        if (line.starts_with('[') && sections.contains(UpperStr(line))) {
            return true;
        }
    }
    return false;
}

} // namespace

LayoutBoxes LoadLayout(KeyTable& table, tinifile2& layout)
{
    LayoutBoxes boxes;
    boxes.Breite = ReadSize(layout, kAllSection, "Breite", boxes.Breite);
    boxes.Hoehe = ReadSize(layout, kAllSection, "Hoehe", boxes.Hoehe);
    boxes.Vorgabe = layout.ReadBool(kAllSection, "Vorgabe", boxes.Vorgabe);
    const bool enabledDefault = layout.ReadBool(kAllSection, "Enabled", true);

    // Read into a copy so that a value out of range leaves the table untouched.
    KeyTable loaded = table;
    for (int i = 0; i < loaded.Count(); ++i) {
        ReadKey(layout, LowerStrDe(loaded.Name(i)), boxes, enabledDefault, loaded.Key(i));
    }
    table = std::move(loaded);
    return boxes;
}

LayoutBoxes LoadLayoutLines(KeyTable& table, const std::vector<std::string>& lines)
{
    tinifile2 layout("");
    layout.AddStrings(lines);
    return LoadLayout(table, layout);
}

LayoutBoxes LoadLayout(KeyTable& table, const std::string& layoutFileName, const std::vector<std::string>& storedLayout)
{
    if (layoutFileName.empty()) {
        return LoadLayoutLines(table, storedLayout);
    }
    const std::filesystem::path path = AnsiToUtf8(layoutFileName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw KeyTableError("Die Datei %s existiert nicht.|" + layoutFileName);
    }
    if (!std::ifstream(path, std::ios::binary).is_open()) {
        throw KeyTableError("Die Datei %s kann nicht gelesen werden.|" + layoutFileName);
    }
    tinifile2 layout(layoutFileName);
    if (layout.Unreadable() || !HasLayoutSection(layout, table)) {
        throw KeyTableError("Die Datei %s ist keine Belegungsdatei.|" + layoutFileName);
    }
    return LoadLayout(table, layout);
}
