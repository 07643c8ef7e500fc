#include "keyboard/main_form.h"

#include "datastore/binary_data.h"
#include "datastore/window_records.h"
#include "keyboard/focus_on_request.h"
#include "keyboard/keyboard_image.h"
#include "layout/layout_form.h"
#include "platform/platform.h"
#include "services/program_record.h"
#include "services/shell_integration.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "services/window_placement_qt.h"
#include "support/caption_buttons.h"
#include "support/ini_file.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/qt_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>

#include <array>

namespace {

std::function<void()>& InformationDialog()
{
    static std::function<void()> show;
    return show;
}

constexpr int kTrackingInterval = 200;
constexpr int kMinimumWidth = 200;
constexpr int kMinimumHeight = 100;

// Pauses the tracking timer while a modal window of ours is open.
class TimerPause {
public:
    explicit TimerPause(QTimer* timer) : timer_(timer) { timer_->stop(); }
    ~TimerPause() { timer_->start(); }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    QTimer* timer_;
};

} // namespace

void SetInformationDialog(std::function<void()> show)
{
    InformationDialog() = std::move(show);
}

TMainform::TMainform(KeyboardOutput& output)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      output_(output)
{
    setObjectName("Mainform");
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);
    move(241, 344);
    // The window never takes the keyboard focus when clicked, so keys typed on
    // the real keyboard go on reaching the target; it takes the focus only when
    // the user gives it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    DeclareCaptionButtons(*this, CaptionSystemMenu | CaptionMinimize | CaptionClose);
    if (FocusOffers* offers = ThePlatform().focusOffers)
        focusOnRequest_ = std::make_unique<FocusOnRequest>(*this, *offers);
    Image = new TKeyboardImage(this);
    Image->move(0, 0);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTrackingInterval);
    connect(Timer1, &QTimer::timeout, this, &TMainform::Timer1Timer);
    BuildMenu();
    FormCreate();
}

TMainform::~TMainform() = default;

void TMainform::BuildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    // Checkable items toggle their own check mark when clicked.
    const auto addItem = [this](const char* name, const char* caption, void (TMainform::*handler)(), bool checkable) {
        QAction* item = PopupMenu1->addAction(FromAnsi(caption));
        item->setObjectName(name);
        item->setCheckable(checkable);
        if (handler)
            connect(item, &QAction::triggered, this, handler);
        return item;
    };
    peepchk = addItem("peepchk", "Peep bei Tastendruck", &TMainform::peepchkClick, true);
    Fragenvorbeenden1 = addItem("Fragenvorbeenden1", "Fragen vor beenden", nullptr, true);
    noauto = addItem("noauto", "Kein Autoselect", &TMainform::noautoClick, true);
    Infobtn = addItem("Infobtn", "Informationen", &TMainform::InfobtnClick, false);
    PopupMenu1->addSeparator();
    Layoutbtn = addItem("Layoutbtn", "Tastaturlayout bearbeiten...", &TMainform::LayoutbtnClick, false);
    Image->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Image, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        Infobtn->setVisible(static_cast<bool>(InformationDialog()));
        PopupMenu1->popup(Image->mapToGlobal(at));
    });
}

void TMainform::FormCreate()
{
    LogLine("Main");
    setWindowTitle(FromAnsi(ProgInfo.Title));
    sprachmemo = LoadEmbeddedComponent("TMainform", "sprachmemo");
    if (sprachmemo)
        Sprachliste.Addstrings(sprachmemo->Lines());
    LogLine("Size");
}

void TMainform::ShowKeyboard()
{
    FormShow();
    show();
}

void TMainform::FormShow()
{
    pad_ = std::make_unique<KeyboardPad>(Layoutform->Keys(), output_, static_cast<KeyboardHost&>(*this));
    // Keys placed in the layout editor show and answer at once.
    connect(Layoutform, &TLayoutform::KeysChanged, this, [this] { pad_->RedrawKeyboard(); });
    ConnectImage();
    // A placement that lies off every screen is brought back at the window's real size.
    SizeToPicture();
    {
        const std::unique_ptr<tinifile2> settings = OpenSettings(this, true, {});
        peepchk->setChecked(settings->ReadBool("Setup", "Peep", false));
        Fragenvorbeenden1->setChecked(settings->ReadBool("Setup", "endefragen", true));
    }
    pad_->peep = BeepOn();
    pad_->infoOffered = static_cast<bool>(InformationDialog());
    ApplySwitches();
    FetchPicture();
    StartingUp = false;
    const QString title = FromAnsi(ProgInfo.Title);
    setWindowTitle(width() >= kMinimumWidth ? title + " " + FromAnsi(ProgInfo.Byline) : title);
    Timer1->start();
}

void TMainform::ApplySwitches()
{
    if (ParamLine.empty())
        return;
    if (SwitchPresent("/i", ParamLine)) {
        ReplaceAllNoCase(ParamLine, "/i", "");
        ParamLine = TrimStr(ParamLine);
        // No caption bar: Qt keeps a frame while any caption button is asked for.
        setWindowFlags((windowFlags() & ~(Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)) |
                       Qt::FramelessWindowHint);
    }
    if (SwitchPresent("/m", ParamLine)) {
        ReplaceAllNoCase(ParamLine, "/m", "");
        pad_->nodrag = true;
    }
}

void TMainform::ConnectImage()
{
    Image->onMouseDown = [this](Qt::MouseButton button, QPoint at) {
        const auto padButton = button == Qt::LeftButton    ? KeyboardPad::Button::Left
                               : button == Qt::RightButton ? KeyboardPad::Button::Right
                                                           : KeyboardPad::Button::Middle;
        Guarded([&] { pad_->ImageMouseDown(padButton, at.x(), at.y()); });
    };
    Image->onMouseMove = [this](QPoint at) { Guarded([&] { pad_->ImageMouseMove(at.x(), at.y()); }); };
    Image->onMouseUp = [this](QPoint at) { Guarded([&] { pad_->ImageMouseUp(at.x(), at.y()); }); };
}

template <typename Handler>
void TMainform::Guarded(Handler handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(-1, error.what());
    }
}

void TMainform::FetchPicture()
{
    LogLine("hole");
    const QImage& picture = Layoutform->Picture();
    Image->ShowPicture(picture, {});
    SizeToPicture();
    LogLine("-hole");
}

void TMainform::SizeToPicture()
{
    const QImage& picture = Layoutform->Picture();
    setFixedSize(std::max(picture.width(), kMinimumWidth), std::max(Image->y() + picture.height(), kMinimumHeight));
}

void TMainform::PaintKeyboard(const std::vector<PictureRect>& inverted)
{
    Image->ShowPicture(Layoutform->Picture(), inverted);
}

// In screen coordinates and from the server's frame, not from Qt's idea of the
// window's place, which lags behind until the window manager has answered a move.
void TMainform::BeginWindowDrag()
{
    dragFrame_ = FramePosition(*this);
    dragPointer_ = Image->Pointer();
}

void TMainform::FollowWindowDrag()
{
    move(dragFrame_ + Image->Pointer() - dragPointer_);
}

void TMainform::Timer1Timer()
{
    pad_->TrackForeground();
}

bool TMainform::IsOwnWindow(WindowHandle window) const
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->internalWinId() == window)
            return true;
    return false;
}

void TMainform::ShowNoTargetMessage()
{
    TimerPause pause(Timer1);
    MyShowMessage("Bitte vorher ein Fenster aktivieren.");
}

void TMainform::CloseKeyboard()
{
    close();
}

bool TMainform::ShowInformation()
{
    if (!InformationDialog())
        return false;
    InformationDialog()();
    return true;
}

void TMainform::InfobtnClick()
{
    if (!InformationDialog())
        return;
    TimerPause pause(Timer1);
    InformationDialog()();
}

void TMainform::LayoutbtnClick()
{
    Layoutform->ShowEditor();
}

// The desktop's character map; when none is installed, the shell reports the first
// one as missing.
void TMainform::OpenCharacterMap()
{
    static constexpr std::array<const char*, 3> programs = {"gucharmap", "kcharselect", "gnome-characters"};
    for (const char* program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) {
            ShellOpen(ToAnsi(path));
            return;
        }
    }
    ShellOpen(programs[0]);
}

void TMainform::Log(const std::string& line)
{
    LogLine(line);
}

bool TMainform::BeepOn() const
{
    return peepchk->isChecked();
}

bool TMainform::AskBeforeEnd() const
{
    return Fragenvorbeenden1->isChecked();
}

bool TMainform::NoAutoselect() const
{
    return noauto->isChecked();
}

// The pad follows the check marks.
void TMainform::peepchkClick()
{
    if (pad_)
        pad_->peep = BeepOn();
}

void TMainform::noautoClick()
{
    if (pad_)
        pad_->noauto = NoAutoselect();
}

void TMainform::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1)
        InfobtnClick();
    else
        QWidget::keyPressEvent(event);
}

bool TMainform::FormCloseQuery()
{
    if (Layoutform && !Layoutform->SaveQuery())
        return false;
    if (!AskBeforeEnd())
        return true;
    TimerPause pause(Timer1);
    return MyMessageDlg("Programm beenden?", mtConfirmation, mbYes | mbNo, 0) == mrYes;
}

void TMainform::FormClose()
{
    const std::unique_ptr<tinifile2> settings = SaveWindowPlacement(this, {});
    settings->WriteBool("Setup", "Peep", BeepOn());
    settings->WriteBool("Setup", "endefragen", AskBeforeEnd());
}

void TMainform::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    Timer1->stop();
    event->accept();
}
