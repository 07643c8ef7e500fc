#pragma once

#include "support/message_dialog_layout.h"

#include <QPixmap>

// The small pictures on the program's buttons, drawn in code: a green check mark
// (18 x 18), a red cross (15 x 16) and a green return arrow (16 x 16). None gives
// a null pixmap.
QPixmap ButtonGlyphPixmap(ButtonGlyph glyph);
