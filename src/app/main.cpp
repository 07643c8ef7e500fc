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

#include <cstdio>
#include <cstdlib>

namespace {

void InitProgram()
{
    ProgInfo.ShortName = "Tapsodia";
    ProgInfo.Title = "Tapsody";
    ProgInfo.Version = 107;
    StartProgram(true);
    ProgInfo.Title = VersionTitle(ProgInfo.Title, ProgInfo.ShortName, ProgInfo.Version);
    TranslationOn = true;
}

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
    QApplication::setWindowIcon(AppIcon());

    TMainform mainform(*platform.keyboard);
    UseAsMainMarkupCanvas(&mainform);
    // The layout editor belongs to the keyboard, so it comes up in front of it.
    TLayoutform layoutform(&mainform);
    TDirDialog dirdialog;
    // Decides the role of this start; only an installed program goes on.
    Tinfoform infoform;
    SetInformationDialog([&infoform] { infoform.exec(); });
    mainform.ShowKeyboard();
    const int result = QApplication::exec();
    EndProgram();
    return result;
}
