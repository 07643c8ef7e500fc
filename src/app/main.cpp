// The keyboard program: start-up, the windows in their order, the message loop.

#include "keyboard/main_form.h"
#include "layout/layout_form.h"
#include "platform/linux/linux_platform.h"
#include "services/program_record.h"
#include "services/program_start.h"
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

}  // namespace

int main(int argc, char** argv)
{
    Platform& platform = InstallLinuxPlatform();
    InitProgram();
    QApplication application(argc, argv);
    QApplication::setApplicationName(FromAnsi(ProgInfo.Title));
    InstallQtMessages();
    SetQuitHook([] { std::exit(0); });

    if (!platform.keyboard) {
        std::fputs("Tapsody needs an X11 display.\n", stderr);
        return 1;
    }
    TMainform mainform(*platform.keyboard);
    TLayoutform layoutform;
    mainform.ShowKeyboard();
    const int result = QApplication::exec();
    EndProgram();
    return result;
}
