#include "services/window_placement.h"

#include "support/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Enough of a window to take hold of it with the mouse.
constexpr std::int32_t kGrip = 16;

std::int64_t Overlap(std::int64_t start, std::int64_t length, std::int64_t low, std::int64_t high)
{
    return std::max<std::int64_t>(0, std::min(start + length, high) - std::max(start, low));
}

bool ShowsEnough(const WindowGeometry& g, const TRect& screen)
{
    return Overlap(g.left, g.width, screen.Left, screen.Right) >= std::min(kGrip, g.width) &&
           Overlap(g.top, g.height, screen.Top, screen.Bottom) >= std::min(kGrip, g.height) && g.width > 0 &&
           g.height > 0;
}

// How far the window's centre lies outside the screen, squared.
std::int64_t Distance(const WindowGeometry& g, const TRect& screen)
{
    const std::int64_t x = std::int64_t{g.left} + g.width / 2;
    const std::int64_t y = std::int64_t{g.top} + g.height / 2;
    const std::int64_t dx = x < screen.Left ? screen.Left - x : (x > screen.Right ? x - screen.Right : 0);
    const std::int64_t dy = y < screen.Top ? screen.Top - y : (y > screen.Bottom ? y - screen.Bottom : 0);
    return dx * dx + dy * dy;
}

std::int32_t Clamp(std::int32_t start, std::int32_t length, std::int32_t low, std::int32_t high)
{
    return std::max(low, std::min(start, high - length));
}

// A stored value outside the 32-bit range is no placement; the window keeps its own.
std::int32_t ReadCoordinate(tinifile2& settings, const std::string& section, const std::string& key,
                            std::int32_t current)
{
    const std::int64_t value = settings.ReadInteger(section, key, current);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return current;
    return static_cast<std::int32_t>(value);
}

} // namespace

bool StoresWindowSize(bool hasMaximizeButton, bool dialogStyle)
{
    return hasMaximizeButton && !dialogStyle;
}

std::string PlacementSection(const std::string& prefix, const std::string& windowName)
{
    return (prefix.empty() ? std::string() : prefix + "_") + "Fenster" + windowName;
}

WindowGeometry KeepOnScreen(const WindowGeometry& geometry, const std::vector<TRect>& screens)
{
    if (std::any_of(screens.begin(), screens.end(), [&](const TRect& s) { return ShowsEnough(geometry, s); }))
        return geometry;
    return FitOnNearestScreen(geometry, screens);
}

WindowGeometry FitOnNearestScreen(const WindowGeometry& geometry, const std::vector<TRect>& screens)
{
    if (screens.empty())
        return geometry;
    const TRect& nearest = *std::min_element(screens.begin(), screens.end(), [&](const TRect& a, const TRect& b) {
        return Distance(geometry, a) < Distance(geometry, b);
    });
    WindowGeometry moved = geometry;
    moved.left = Clamp(geometry.left, geometry.width, nearest.Left, nearest.Right);
    moved.top = Clamp(geometry.top, geometry.height, nearest.Top, nearest.Bottom);
    return moved;
}

WindowGeometry ReadPlacement(tinifile2& settings, const std::string& section, const WindowGeometry& current,
                             bool storesSize, const std::vector<TRect>& screens)
{
    WindowGeometry stored = current;
    stored.top = ReadCoordinate(settings, section, "VonOben", current.top);
    stored.left = ReadCoordinate(settings, section, "Links", current.left);
    if (storesSize) {
        stored.height = ReadCoordinate(settings, section, "Hoehe", current.height);
        stored.width = ReadCoordinate(settings, section, "Breite", current.width);
    }
    return KeepOnScreen(stored, screens);
}

void WritePlacement(tinifile2& settings, const std::string& section, const WindowGeometry& normal, bool storesSize)
{
    settings.WriteInteger(section, "VonOben", normal.top);
    settings.WriteInteger(section, "Links", normal.left);
    if (storesSize) {
        settings.WriteInteger(section, "Hoehe", normal.height);
        settings.WriteInteger(section, "Breite", normal.width);
    }
}
