#include "support/my_radio_button.h"

#include "support/my_label.h"
#include "support/qt_text.h"

#include <QFocusEvent>
#include <QPainter>

TMyRadioButton::TMyRadioButton(QWidget* parent, const std::string& text)
    : QRadioButton(parent), caption(text), label(new TMyLabel(this, text))
{
    label->setFont(font());
    label->move(15, 0);
    label->SetAutosize(true);
    connect(label, &TMyLabel::clicked, this, &TMyRadioButton::LabelClick);
    resize(60, label->height() + 2);
    FitToLabel();
}

void TMyRadioButton::SetCaption(const std::string& text)
{
    caption = text;
    setText(QString());
    label->SetCaption(caption);
    resize(width(), label->height() + 4);
    FitToLabel();
}

QString TMyRadioButton::CaptionText() const
{
    return FromAnsi(caption);
}

void TMyRadioButton::SetCaptionText(const QString& text)
{
    SetCaption(ToAnsi(text));
}

// The button is as wide as its label plus the round button before it.
void TMyRadioButton::FitToLabel()
{
    label->setEnabled(isEnabled());
    if (width() != label->width() + 18)
        resize(label->width() + 18, height());
}

// A click on the caption is a click on the button; the focus follows it.
void TMyRadioButton::LabelClick()
{
    setFocus(Qt::MouseFocusReason);
    click();
}

void TMyRadioButton::paintEvent(QPaintEvent* event)
{
    QRadioButton::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawRect(label->geometry().adjusted(0, 0, -1, -1));
}

// Moving onto the button with the keyboard selects it. A mouse press that
// brings the focus is followed by its click, which selects it and reports it.
void TMyRadioButton::focusInEvent(QFocusEvent* event)
{
    QRadioButton::focusInEvent(event);
    setChecked(true);
    label->setEnabled(isEnabled());
    if (event->reason() != Qt::MouseFocusReason)
        emit clicked(true);
    update();
}

void TMyRadioButton::focusOutEvent(QFocusEvent* event)
{
    QRadioButton::focusOutEvent(event);
    update();
    label->update();
}

void TMyRadioButton::changeEvent(QEvent* event)
{
    QRadioButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        if (event->type() == QEvent::FontChange)
            label->setFont(font());
        FitToLabel();
        update();
    }
}
