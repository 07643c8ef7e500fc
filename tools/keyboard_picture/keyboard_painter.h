#pragma once

#include "layout/key_table.h"

#include <QImage>
#include <QSize>

// Paints the keyboard picture: a dark frame with one cap for every enabled
// rectangle key of the table, lying exactly on its rectangle. Only shades of grey are
// used, so that the picture keeps every tone in a 256-grey palette. A key that
// overlaps a key before it in the table is left out: the hit test finds the
// earlier key there anyway.
QImage PaintKeyboard(const KeyTable& table, QSize size);
