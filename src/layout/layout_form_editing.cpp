// The layout editor's picture: choosing a key, placing it with the mouse, and
// the outline that shows the chosen key.

#include "layout/layout_form.h"

#include "layout/layout_image.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>

void TLayoutform::ShowPicture()
{
    if (!Image)
        return;
    Image->ShowPicture(picture_, picture_.size() * Zoom());
    outlineshown = false;
}

// Inverts the chosen key's shape; doing it again with the same geometry takes
// the outline away.
void TLayoutform::ToggleOutline(bool show)
{
    if (selkey == -1 || show == outlineshown || !table_.Key(selkey).Enabled)
        return;
    const TKeyRecord& key = table_.Key(selkey);
    if (QAbstractButton* item = tatgroupItems->button(key.Typ)) {
        item->setChecked(true);
    } else {
        // A type without an item: no item is checked.
        tatgroupItems->setExclusive(false);
        for (QAbstractButton* other : tatgroupItems->buttons())
            other->setChecked(false);
        tatgroupItems->setExclusive(true);
    }
    Image->XorOutline(OutlineOf(key, Zoom()));
    outlineshown = show;
}

void TLayoutform::listClick()
{
    selkey = -1;
    const int row = list->currentRow();
    if (row < 0 || !list->currentItem()->isSelected())
        return;
    ShowPicture();
    selkey = row;
    tatgroup->setEnabled(true);
    TKeyRecord& key = table_.Key(selkey);
    if (!key.Enabled) {
        tatgroupItems->button(kKeyRectangle)->setChecked(true);
        key.Typ = kKeyRectangle;
    }
    ToggleOutline(true);
}

void TLayoutform::tatgroupClick()
{
    if (selkey == -1)
        return;
    table_.Key(selkey).Typ = static_cast<std::uint8_t>(tatgroupItems->checkedId());
    Changed();
}

void TLayoutform::ImageMouseDown(QPoint at)
{
    if (selkey == -1)
        return;
    ShowPicture();
    dragging = true;
    dragorigin = {PictureCoordinate(at.x(), Zoom()), PictureCoordinate(at.y(), Zoom())};
    PressKey(table_.Key(selkey), dragorigin.x, dragorigin.y, boxes_);
    ShowKeyState(selkey);
    if (boxes_.Vorgabe)
        ToggleOutline(true);
    Changed();
}

void TLayoutform::ImageMouseMove(QPoint at)
{
    if (selkey == -1 || !dragging)
        return;
    ToggleOutline(false);
    DragKey(table_.Key(selkey), dragorigin, PictureCoordinate(at.x(), Zoom()), PictureCoordinate(at.y(), Zoom()),
            boxes_);
    ToggleOutline(true);
    Changed();
}

void TLayoutform::ImageMouseUp()
{
    dragging = false;
}

void TLayoutform::zoomchkClick()
{
    ShowPicture();
    ToggleOutline(true);
}
