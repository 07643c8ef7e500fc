#include "keyboard/key_hit_test.h"

#include "services/text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

bool InRectangle(const TKeyRecord& key, std::int64_t x, std::int64_t y)
{
    return key.p0x <= x && x <= std::int64_t{key.p0x} + key.p1x && key.p0y <= y && y <= std::int64_t{key.p0y} + key.p1y;
}

// Within the radius of the centre, the rim included; a negative radius covers nothing.
bool InCircle(const TKeyRecord& key, std::int64_t x, std::int64_t y)
{
    const std::int64_t dx = x - key.p0x;
    const std::int64_t dy = y - key.p0y;
    const std::int64_t r = key.p1x;
    // Far points are refused first, so that the squares cannot overflow.
    if (r < 0 || std::abs(dx) > r || std::abs(dy) > r)
        return false;
    return dx * dx + dy * dy <= r * r;
}

// Half the width of a circle's row dy away from its centre: the largest w with
// w * w + dy * dy <= r * r.
std::int64_t HalfRow(std::int64_t r, std::int64_t dy)
{
    const std::int64_t square = r * r - dy * dy;
    auto w = static_cast<std::int64_t>(std::sqrt(static_cast<double>(square)));
    while (w * w > square)
        --w;
    while ((w + 1) * (w + 1) <= square)
        ++w;
    return w;
}

// No picture is taller: rows of a huge circle beyond it are not listed.
constexpr std::int64_t kPictureRows = 32768;

std::int32_t Coordinate(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

bool KeyHolds(const TKeyRecord& key, std::int64_t x, std::int64_t y)
{
    return key.Typ == kKeyCircle ? InCircle(key, x, y) : InRectangle(key, x, y);
}

int KeyAt(const KeyTable& table, int x, int y)
{
    for (int i = 0; i < table.Count(); ++i) {
        const TKeyRecord& key = table.Key(i);
        if (key.Enabled && KeyHolds(key, x, y))
            return i;
    }
    return -1;
}

std::vector<PictureRect> HighlightAreas(const KeyTable& table, int index)
{
    const TKeyRecord& key = table.Key(index);
    if (key.Typ != kKeyCircle)
        return {{key.p0x, key.p0y, Coordinate(std::int64_t{key.p0x} + key.p1x + 1),
                 Coordinate(std::int64_t{key.p0y} + key.p1y + 1)}};
    // A circle is inverted row by row, exactly on the pixels it is hit on.
    std::vector<PictureRect> rows;
    const std::int64_t r = key.p1x;
    const std::int64_t first = std::max(key.p0y - r, std::int64_t{0});
    const std::int64_t last = std::min(key.p0y + r, kPictureRows - 1);
    for (std::int64_t y = first; y <= last; ++y) {
        const std::int64_t w = HalfRow(r, y - key.p0y);
        rows.push_back({Coordinate(key.p0x - w), Coordinate(y), Coordinate(key.p0x + w + 1), Coordinate(y + 1)});
    }
    return rows;
}

int KeyNamed(const KeyTable& table, const std::string& upperName)
{
    for (int i = 0; i < table.Count(); ++i)
        if (UpperStr(table.Name(i)) == upperName)
            return i;
    return -1;
}
