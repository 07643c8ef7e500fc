// The key list, the layout placed on it and the hit test: a list or layout is
// either refused with the table left as it was, or every enabled key covers a
// rectangle of the picture that the hit test finds it on.
//
// Input: the key list, NUL, the layout, NUL, then points as pairs of 32-bit
// little-endian numbers to hit-test.

#include "fuzz_support.h"

#include "keyboard/key_hit_test.h"
#include "layout/key_list.h"
#include "layout/layout_reader.h"

namespace {

std::int32_t Number(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | static_cast<std::uint8_t>(bytes[i]);
    return static_cast<std::int32_t>(value);
}

bool Holds(const PictureRect& rect, int x, int y)
{
    return rect.left <= x && x < rect.right && rect.top <= y && y < rect.bottom;
}

bool Holds(const std::vector<PictureRect>& areas, int x, int y)
{
    for (const PictureRect& rect : areas)
        if (Holds(rect, x, y))
            return true;
    return false;
}

void CheckKey(const KeyTable& table, int index)
{
    for (const PictureRect& rect : HighlightAreas(table, index)) {
        FUZZ_CHECK(rect.left < rect.right && rect.top < rect.bottom);
        // The hit test finds the key, or a key before it, at both ends of each area.
        for (const auto& [x, y] : {std::pair{rect.left, rect.top}, std::pair{rect.right - 1, rect.bottom - 1}}) {
            const int found = KeyAt(table, x, y);
            FUZZ_CHECK(found >= 0 && found <= index);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = SplitAtNul(AsText(data, size), 3);
    KeyTable table;
    try {
        BuildKeyList(table, LinesOf(parts[0]));
    } catch (const KeyTableError&) {
        FUZZ_CHECK(table == KeyTable());
        return 0;
    }
    if (parts.size() < 2)
        return 0;
    const KeyTable listed = table;
    try {
        LoadLayoutLines(table, LinesOf(parts[1]));
    } catch (const KeyTableError&) {
        FUZZ_CHECK(table == listed);
        return 0;
    }
    for (int i = 0; i < table.Count(); ++i)
        if (table.Key(i).Enabled)
            CheckKey(table, i);

    std::string_view points = parts.size() > 2 ? std::string_view(parts[2]) : std::string_view();
    for (; points.size() >= 8; points.remove_prefix(8)) {
        const int x = Number(points);
        const int y = Number(points.substr(4));
        // Highlights cover the picture only, and no picture is larger than 32768 a side.
        const bool onPicture = 0 <= x && x < 32768 && 0 <= y && y < 32768;
        const int found = KeyAt(table, x, y);
        if (found >= 0 && onPicture)
            FUZZ_CHECK(Holds(HighlightAreas(table, found), x, y));
    }
    return 0;
}
