#include "support/html_color.h"

#include "services/program_record.h"
#include "support/my_check_box.h"

#include <QColorDialog>

#include <algorithm>

#include <string>

namespace {

struct RoleLook {
    const char* caption;
    QColor initial;
};

const RoleLook kRoles[THTMLcolor::RoleCount] = {
    {"Hintergrund", QColor(255, 255, 255)},  {"Text", QColor(0, 0, 0)},    {"Link", QColor(0, 0, 255)},
    {"Besuchter Link", QColor(128, 0, 128)}, {"Hover", QColor(255, 0, 0)},
};

void SetFontColour(QWidget* widget, const QColor& colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

} // namespace

THTMLcolor::THTMLcolor(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    int left = 2;
    for (int role = 0; role < RoleCount; ++role) {
        const std::string caption = kRoles[role].caption;
        auto* box = new TMyCheckBox(this, caption);
        box->setProperty("Tag", role);
        box->move(left, 1);
        // Boxes stand side by side; one whose caption needs more room than the
        // usual five pixels a letter pushes the next one on.
        const int width = std::max(static_cast<int>(caption.size()) * 5 + 23, box->width());
        left += width + 1;
        boxes[static_cast<std::size_t>(role)] = box;
        connect(box, &TMyCheckBox::clicked, this, [this, role] { BoxClicked(static_cast<Role>(role)); });
    }
    resize(left + 3, 20);
    for (int role = 0; role < RoleCount; ++role)
        SetColor(static_cast<Role>(role), kRoles[role].initial);
}

QColor THTMLcolor::Color(Role role) const
{
    if (role == Hintergrund)
        return palette().color(QPalette::Window);
    return boxes[role]->palette().color(QPalette::WindowText);
}

void THTMLcolor::SetColor(Role role, const QColor& colour)
{
    if (role == Hintergrund) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colour);
        setPalette(colours);
        return;
    }
    SetFontColour(boxes[role], colour);
    if (role == Text)
        SetFontColour(boxes[Hintergrund], colour); // the background box shows the text colour
}

void THTMLcolor::BoxClicked(Role role)
{
    if (StartingUp || !boxes[role]->Checked())
        return;
    const QColor chosen = QColorDialog::getColor(Color(role), this);
    if (!chosen.isValid())
        return;
    SetColor(role, chosen);
    emit Change();
}
