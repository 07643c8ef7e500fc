#include "support/bit_button.h"

#include "support/button_glyphs.h"
#include "support/messages.h"
#include "support/qt_text.h"

#include <QDialog>

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent)
{
    resize(75, 25);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QPushButton::clicked, this, &TBitBtn::EndDialog);
}

void TBitBtn::SetGlyph(ButtonGlyph glyph)
{
    const QPixmap pixmap = ButtonGlyphPixmap(glyph);
    setIcon(QIcon(pixmap));
    setIconSize(pixmap.isNull() ? QSize() : pixmap.size());
}

std::string TBitBtn::Caption() const
{
    return ToAnsi(text());
}

void TBitBtn::SetCaption(const std::string& caption)
{
    setText(FromAnsi(caption));
}

void TBitBtn::EndDialog()
{
    if (modalResult == mrNone)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(modalResult);
}

TOkbutton::TOkbutton(QWidget* parent) : TBitBtn(parent)
{
    SetCaption("&Ok");
    SetGlyph(ButtonGlyph::CheckMark);
    SetModalResult(mrOk);
    setDefault(true);
}

TAbbruchbutton::TAbbruchbutton(QWidget* parent) : TBitBtn(parent)
{
    SetCaption("&Abbruch");
    SetGlyph(ButtonGlyph::Cross);
    SetModalResult(mrCancel);
    SetCancel(true);
}
