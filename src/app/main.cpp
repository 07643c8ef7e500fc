// The keyboard program: start-up, the windows in their order, the message loop.

#include "keyboard/main_form.h"
#include "layout/layout_form.h"
#include "platform/platform.h"
#include "services/markup_painter.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "setup/app_icon.h"
#include "setup/dir_dialog.h"
#include "setup/info_form.h"
#include "support/language_list.h"
#include "support/qt_messages.h"
#include "support/qt_text.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

void InitProgram()
{
    ProgInfo.ShortName = "Tapsodia";
    ProgInfo.Title = kProductTitle;
    ProgInfo.Version = kProductVersion;
    StartProgram(true);
    ProgInfo.Title = VersionTitle(ProgInfo.Title, ProgInfo.ShortName, ProgInfo.Version);
    TranslationOn = true;
}

// Runs a piece of work once a window has been drawn for the first time.
class AfterFirstFrame : public QObject {
public:
    AfterFirstFrame(QWindow& window, std::function<void()> work) : QObject(&window), work_(std::move(work))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The window draws itself while it handles its first exposure.
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, std::move(work_));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

int main(int argc, char** argv)
{
    // Without a display the toolkit would end the program with an abort of its
    // own, so the platform, which knows, says so first.
    Platform& platform = InstallNativePlatform();
    if (!platform.keyboard) {
        std::fputs("Tapsody needs an X11 display.\n", stderr);
        return 1;
    }
    // The toolkit comes before start-up so that start-up can already show its
    // messages (another instance running, the log notice) in the program's own dialogs.
    QApplication application(argc, argv);
    InstallQtMessages();
    SetQuitHook([] { std::exit(0); });
    InitProgram();
    // The class name window rules and launchers match on stays the same from
    // version to version; the version shows only in the window titles.
    QApplication::setApplicationName(QStringLiteral("tapsody"));

    TMainform mainform(*platform.keyboard);
    UseAsMainMarkupCanvas(&mainform);
    // The layout editor belongs to the keyboard, so it comes up in front of it.
    TLayoutform layoutform(&mainform);
    TDirDialog dirdialog;
    // Decides the role of this start; only an installed program goes on.
    Tinfoform infoform;
    SetInformationDialog([&infoform] { infoform.exec(); });
    mainform.ShowKeyboard();
    // Unpacking the icon takes a millisecond or two that the keyboard's first
    // frame does not need: every window gets it right after that frame.
    new AfterFirstFrame(*mainform.windowHandle(), [] { QApplication::setWindowIcon(AppIcon()); });
    const int result = QApplication::exec();
    EndProgram();
    return result;
}
