#include "support/my_label.h"

#include "services/markup_painter.h"
#include "support/qt_text.h"

#include <QEvent>
#include <QFontInfo>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The label's pieces go through the formatted-text markup on one canvas, so a
// font command in one piece carries into the next.
class MarkupPieces final : public LabelPieceRenderer {
public:
    explicit MarkupPieces(MarkupCanvas& target) : canvas(target) {}

    int Piece(int x, int y, const std::string& text, bool drawing) override
    {
        int width = drawing ? 0 : -1;
        DrawMarkup(&canvas, x, y, text, width);
        return width;
    }
    int PieceHeight(const std::string& text) override { return MarkupTextHeight(&canvas, text); }

private:
    MarkupCanvas& canvas;
};

bool SameClassName(const QObject* object, const char* name)
{
    return object &&
           QString::fromLatin1(object->metaObject()->className()).compare(QLatin1String(name), Qt::CaseInsensitive) ==
               0;
}

} // namespace

TMyLabel::TMyLabel(QWidget* parent, const std::string& text)
    : QWidget(parent), caption(text.empty() ? "TMyLabel" : text)
{
    resize(50, 20);
    LayOut();
}

void TMyLabel::SetCaption(const std::string& text)
{
    caption = text;
    LayOut();
    update();
}

QString TMyLabel::CaptionText() const
{
    return FromAnsi(caption);
}

void TMyLabel::SetCaptionText(const QString& text)
{
    SetCaption(ToAnsi(text));
}

void TMyLabel::SetSchatten(bool shadow)
{
    schatten = shadow;
    update();
}

void TMyLabel::SetAutosize(bool on)
{
    autosize = on;
    LayOut();
    update();
}

int TMyLabel::FontPixelHeight(const QFont& font)
{
    return QFontInfo(font).pixelSize();
}

void TMyLabel::Measure() const
{
    MarkupPainter canvas(nullptr, font(), const_cast<TMyLabel*>(this));
    canvas.font = FromQFont(font(), palette().color(foregroundRole()));
    MarkupPieces pieces(canvas);
    extent = LayOutLabelText(pieces, caption, {autosize, width()}, 0, 0, false);
    measuredWidth = width();
}

LabelTextExtent TMyLabel::TextExtent() const
{
    if (!autosize && measuredWidth != width())
        Measure();
    return extent;
}

void TMyLabel::LayOut()
{
    Measure();
    if (autosize) {
        const LabelSize size = AutosizeFor(extent);
        resize(size.width, size.height);
    }
}

// One drawing of the text, each pass starting from the label's own font.
void TMyLabel::DrawPass(QPainter& painter, int x0, int y0, const QColor& colour, bool opaque)
{
    MarkupPainter canvas(&painter, font());
    canvas.font = FromQFont(font(), colour);
    canvas.penColor = canvas.font.color;
    canvas.brushColor = FromQColor(palette().color(backgroundRole()));
    canvas.brushClear = !opaque;
    MarkupPieces pieces(canvas);
    LayOutLabelText(pieces, caption, {autosize, width()}, x0, y0, true);
}

void TMyLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    if (!isEnabled()) {
        DrawPass(painter, 1, 1, colours.color(QPalette::Light), true);
        DrawPass(painter, 0, 0, colours.color(QPalette::Dark), false);
    } else if (schatten) {
        const QColor highlight = colours.color(QPalette::Light);
        const bool tall = FontPixelHeight(font()) > 16;
        if (tall)
            DrawPass(painter, -1, -1, highlight, true);
        DrawPass(painter, 1, 1, highlight, !tall);
        DrawPass(painter, 0, 0, colours.color(foregroundRole()), false);
    } else {
        DrawPass(painter, 0, 0, colours.color(foregroundRole()), true);
    }

    if (ShowsLinkMark()) {
        const MarkRect mark = LinkMarkRect(FontPixelHeight(font()), TextExtent().widestLine);
        painter.fillRect(QRect(QPoint(mark.left, mark.top), QPoint(mark.right - 1, mark.bottom - 1)), Qt::yellow);
    }
}

bool TMyLabel::ShowsLinkMark() const
{
    const bool hasClickHandler = isSignalConnected(QMetaMethod::fromSignal(&TMyLabel::clicked));
    return hasClickHandler && !SameClassName(parent(), "TMyRadioButton") && !SameClassName(parent(), "TMyCheckBox");
}

void TMyLabel::UpdateCursor()
{
    if (ShowsLinkMark())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    update();
}

void TMyLabel::connectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&TMyLabel::clicked))
        UpdateCursor();
}

void TMyLabel::disconnectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&TMyLabel::clicked))
        UpdateCursor();
}

void TMyLabel::mousePressEvent(QMouseEvent* event)
{
    pressed = event->button() == Qt::LeftButton;
}

void TMyLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    if (click)
        emit clicked();
}

void TMyLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TMyLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        LayOut();
        update();
    }
    QWidget::changeEvent(event);
}

void TMyLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!autosize)
        LayOut(); // the lines wrap at the new width
}
