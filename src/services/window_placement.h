#pragma once

#include "services/text_helpers.h"

#include <cstdint>
#include <string>
#include <vector>

class tinifile2;

// Where a window stands, in screen pixels, as the settings file stores it.
struct WindowGeometry {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Only a resizable main-type window (one with a maximise button that is not a
// dialog) keeps its size in the settings file; others keep their designed size.
bool StoresWindowSize(bool hasMaximizeButton, bool dialogStyle);

// "Fenster" + window name, behind prefix + "_" when a prefix is given.
std::string PlacementSection(const std::string& prefix, const std::string& windowName);

// The stored placement, with current as the default of each value. A window
// that would lie off every screen is moved onto the nearest one (screens are
// the desktop's work areas; none known means no check).
WindowGeometry ReadPlacement(tinifile2& settings, const std::string& section, const WindowGeometry& current,
                             bool storesSize, const std::vector<TRect>& screens);
void WritePlacement(tinifile2& settings, const std::string& section, const WindowGeometry& normal, bool storesSize);

// Moves geometry onto the screen nearest to it when too little of it shows on
// any screen to take hold of it; its size stays (a larger window is put at the
// screen's top left corner).
WindowGeometry KeepOnScreen(const WindowGeometry& geometry, const std::vector<TRect>& screens);

// Moves geometry wholly onto the screen nearest to it, as far as it fits.
WindowGeometry FitOnNearestScreen(const WindowGeometry& geometry, const std::vector<TRect>& screens);
