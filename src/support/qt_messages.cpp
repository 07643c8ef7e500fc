#include "support/qt_messages.h"

#include "services/program_record.h"
#include "support/bit_button.h"
#include "support/caption_buttons.h"
#include "support/modal_form.h"
#include "support/my_label.h"
#include "support/qt_text.h"
#include "support/translation.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace {

void Beep(DialogSound)
{
    QApplication::beep();
}

DialogSoundPlayer soundPlayer = Beep;

QStyle::StandardPixmap StockIcon(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case DialogIcon::Error: return QStyle::SP_MessageBoxCritical;
    case DialogIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case DialogIcon::Information: break;
    }
    return QStyle::SP_MessageBoxInformation;
}

// A translated program text with its line breaks (CR LF or CR) as Qt's.
QString ShownText(const std::string& text)
{
    QString shown = FromAnsi(TranslateProgramText(text));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QRect ScreenRect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// A dialog border: a title with only the close box.
void UseDialogBorder(QWidget& window)
{
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    DeclareCaptionButtons(window, CaptionClose);
}

void CentreOnScreen(QWidget& window)
{
    const QRect screen = ScreenRect();
    window.move(screen.center() - window.rect().center());
}

TBitBtn* AddButton(ModalForm& dialog, const DialogButton& wanted)
{
    auto* button = new TBitBtn(&dialog);
    button->SetCaption(TranslateProgramText(wanted.caption));
    button->SetModalResult(wanted.result);
    button->SetGlyph(wanted.glyph);
    button->SetCancel(wanted.cancel);
    button->setGeometry(wanted.left, wanted.top, wanted.width, button->height());
    return button;
}

class QtMessages final : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons, int) override
    {
        return ShowMessageDialog(message, dialogType, buttons);
    }
    void ShowMessage(const std::string& message) override { ShowNotice(message); }
    void PlainMessage(const std::string& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, FromAnsi(ProgInfo.Title), FromAnsi(text), QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        ExecInFront(box);
    }
};

// The notice's label sized to its text and, when that is wider than half the
// screen, laid out again at half the screen.
NoticeMeasures MeasureNotice(TMyLabel& label, const TBitBtn& ok)
{
    const std::string& text = label.Caption();
    NoticeMeasures measures;
    measures.labelWidth = label.width();
    measures.labelHeight = label.height();
    measures.lineHeight = QFontMetrics(label.font()).height() + 3;
    measures.carriageReturns = static_cast<int>(std::count(text.begin(), text.end(), '\r'));
    measures.halfScreenWidth = ScreenRect().width() / 2;
    if (measures.halfScreenWidth < measures.labelWidth) {
        label.SetAutosize(false);
        label.resize(measures.halfScreenWidth, label.height());
        measures.wrappedTextHeight = label.TextExtent().height;
    }
    measures.buttonWidth = ok.width();
    measures.buttonHeight = ok.height();
    return measures;
}

} // namespace

std::uint16_t ShowMessageDialog(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons)
{
    ModalForm dialog;
    dialog.setObjectName(QStringLiteral("MyMessageDlg"));
    UseDialogBorder(dialog);

    auto* text = new QLabel(&dialog);
    text->setObjectName(QStringLiteral("Message"));
    text->setTextFormat(Qt::PlainText);
    text->setText(ShownText(message));
    text->adjustSize();

    const MessageDialogLayout layout = LayOutMessageDialog(dialogType, buttons, text->width(), text->height());
    dialog.setWindowTitle(ShownText(layout.caption));
    text->move(layout.labelLeft, layout.labelTop);

    auto* image = new QLabel(&dialog);
    image->setObjectName(QStringLiteral("Image"));
    image->setPixmap(dialog.style()->standardIcon(StockIcon(layout.icon), nullptr, &dialog).pixmap(32, 32));
    image->move(layout.imageLeft, layout.imageTop);
    image->adjustSize();

    TBitBtn* first = nullptr;
    for (const DialogButton& wanted : layout.buttons) {
        TBitBtn* button = AddButton(dialog, wanted);
        first = first ? first : button;
    }
    if (first)
        first->setFocus(); // Enter presses the first button

    dialog.setFixedSize(layout.width, layout.height);
    CentreOnScreen(dialog);
    if (layout.sound != DialogSound::None)
        soundPlayer(layout.sound);
    return static_cast<std::uint16_t>(dialog.exec());
}

void ShowNotice(const std::string& message)
{
    ModalForm dialog;
    dialog.setObjectName(QStringLiteral("MyShowMessage"));
    UseDialogBorder(dialog);
    dialog.setWindowTitle(FromAnsi(ProgInfo.Title));
    dialog.setWindowIcon(QApplication::windowIcon());

    auto* label = new TMyLabel(&dialog);
    label->setObjectName(QStringLiteral("Message"));
    label->move(8, 8);
    label->SetAutosize(true);
    label->SetCaption(TranslateProgramText(message));

    auto* ok = new TOkbutton(&dialog);
    ok->SetCaption(TranslateProgramText(ok->Caption()));
    ok->SetCancel(true);

    const NoticeLayout layout = LayOutNotice(MeasureNotice(*label, *ok));
    label->setGeometry(layout.labelLeft, layout.labelTop, layout.labelWidth, layout.labelHeight);
    ok->move(layout.buttonLeft, layout.buttonTop);
    dialog.setFixedSize(layout.clientWidth, layout.clientHeight);
    CentreOnScreen(dialog);
    ok->setFocus();
    dialog.exec();
}

DialogSoundPlayer SetDialogSoundPlayer(DialogSoundPlayer player)
{
    DialogSoundPlayer previous = std::move(soundPlayer);
    soundPlayer = player ? std::move(player) : DialogSoundPlayer(Beep);
    return previous;
}

MessageService* InstallQtMessages()
{
    static QtMessages service;
    return SetMessageService(&service);
}
