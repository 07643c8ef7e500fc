#include "support/my_check_box.h"

#include "support/my_label.h"
#include "support/qt_text.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

TMyCheckBox::TMyCheckBox(QWidget* parent, const std::string& text)
    : QWidget(parent), caption(text), label(new TMyLabel(this, text))
{
    setFocusPolicy(Qt::StrongFocus);
    label->setFont(font());
    label->SetAutosize(true);
    label->move(10, 0);
    connect(label, &TMyLabel::clicked, this, &TMyCheckBox::LabelClick);
    resize(3, 14);
    FitToCaption();
}

void TMyCheckBox::SetCaption(const std::string& text)
{
    caption = text;
    FitToCaption();
    update();
}

QString TMyCheckBox::CaptionText() const
{
    return FromAnsi(caption);
}

void TMyCheckBox::SetCaptionText(const QString& text)
{
    SetCaption(ToAnsi(text));
}

void TMyCheckBox::SetState(std::uint8_t requested)
{
    if (requested == state)
        return;
    state = AcceptedCheckState(requested, allowGrayed);
    if (allDisable)
        EnableSiblings(state == csUnchecked);
    update();
    emit clicked();
}

void TMyCheckBox::EnableSiblings(bool enabled)
{
    if (!parentWidget())
        return;
    for (QWidget* sibling : parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (sibling != this)
            sibling->setEnabled(enabled);
}

// The box sizes itself to its caption: as high as the label plus 3, the label
// standing one box height from the left. Without a caption it is 19 x 17.
void TMyCheckBox::FitToCaption()
{
    label->setVisible(!caption.empty());
    if (caption.empty()) {
        resize(19, 17);
        return;
    }
    label->setEnabled(isEnabled());
    label->SetCaption(caption);
    if (label->font().family() != font().family())
        label->setFont(font());
    const int boxHeight = label->height() + 3;
    label->move(boxHeight, label->y());
    resize(label->x() + label->width(), boxHeight);
}

void TMyCheckBox::LabelClick()
{
    SetState(StateAfterCaptionClick(state, allowGrayed));
    setFocus(Qt::MouseFocusReason);
    update();
}

void TMyCheckBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    SetState(StateAfterBoxClick(state));
    setFocus(Qt::MouseFocusReason);
}

void TMyCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        SetState(StateAfterBoxClick(state));
        return;
    }
    QWidget::keyPressEvent(event);
}

void TMyCheckBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TMyCheckBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void TMyCheckBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        FitToCaption();
        update();
    }
    QWidget::changeEvent(event);
}

void TMyCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSquare(painter);
    if (hasFocus() && !caption.empty()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = QRect(QPoint(height() - 1, 0), QPoint(width() - 1, height() - 1));
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// A sunken square, light blue while it has the focus, white, or grey when
// disabled; a cross shows checked (black) or grayed (grey).
void TMyCheckBox::DrawSquare(QPainter& painter)
{
    const CheckSquare square = CheckSquareFor(height());
    const QRect outer(QPoint(square.left, square.top), QPoint(square.right - 1, square.bottom - 1));
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const QPalette& colours = palette();
    const auto sunkenEdge = [&painter](const QRect& r, const QColor& above, const QColor& below) {
        painter.setPen(above);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(below);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    sunkenEdge(outer, colours.color(QPalette::Mid), Qt::white);
    sunkenEdge(inner, colours.color(QPalette::Shadow), colours.color(QPalette::Midlight));

    const QRect field = inner.adjusted(1, 1, -1, -1);
    QColor fill = QColor(0xCC, 0xCC, 0xCC);
    if (isEnabled())
        fill = hasFocus() ? QColor(0xDD, 0xDD, 0xFF) : QColor(Qt::white);
    painter.fillRect(field, fill);

    if (state == csUnchecked)
        return;
    const QRect cross = outer.adjusted(2, 2, -3, -3);
    painter.setPen(QPen(state == csChecked ? QColor(Qt::black) : QColor(0x77, 0x77, 0x77), 2));
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}
