#pragma once

#include "platform/desktop.h"

#include <cstdint>

class QWidget;

// Gives the window a caption with only these buttons (CaptionButtons) every time
// it is shown: Qt asks every window manager for a resizable window, which some
// answer with a maximise button that does nothing on a window of fixed size. A
// window shown without a caption bar keeps none.
void DeclareCaptionButtons(QWidget& window, std::uint32_t buttons);
