// The uninstaller: started with the name of the program to remove (the program
// starts it with its ShortName), it asks, removes and reports in the program's
// own message dialogs, then removes itself when it is the copy written out for
// this removal.

#include "datastore/window_records.h"
#include "platform/platform.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "setup/fixed_texts.h"
#include "setup/installation_names.h"
#include "setup/uninstaller/uninstaller.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/qt_messages.h"
#include "support/qt_text.h"
#include "support/translation.h"

#include <QApplication>

#include <cstdio>

namespace {

using namespace std::chrono_literals;

// The dialogs, with every text also written to standard output, for a terminal
// the uninstaller was started from.
class EchoedMessages final : public MessageService {
public:
    explicit EchoedMessages(MessageService& dialogs) : dialogs_(dialogs) {}
    std::uint16_t MessageDlg(const std::string& message, std::uint8_t dialogType, std::uint16_t buttons,
                             int helpContext) override
    {
        Echo(message);
        return dialogs_.MessageDlg(message, dialogType, buttons, helpContext);
    }
    void ShowMessage(const std::string& message) override
    {
        Echo(message);
        dialogs_.ShowMessage(message);
    }
    void PlainMessage(const std::string& text) override { dialogs_.PlainMessage(text); }

private:
    static void Echo(const std::string& message)
    {
        QString text = FromAnsi(TranslateProgramText(message));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::puts(text.toUtf8().constData());
        std::fflush(stdout);
    }
    MessageService& dialogs_;
};

void LoadTexts()
{
    if (const auto pairs = LoadEmbeddedComponent("TUninstaller", "sprachmemo"))
        Sprachliste.Addstrings(pairs->Lines());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallQtMessages();
    EchoedMessages messages(*SetMessageService(nullptr));
    SetMessageService(&messages);
    InstallNativePlatform();

    ProgInfo.ShortName = installation::kUninstallerFile;
    ProgInfo.Title = kProductTitle;
    ProgInfo.Version = kProductVersion;
    StartProgram(false);
    ProgInfo.Title = VersionTitle(ProgInfo.Title, ProgInfo.ShortName, ProgInfo.Version);
    ProgInfo.Maker = MakerText();
    TranslationOn = true;
    LoadTexts();

    if (!IsProgramName(ParamLine)) {
        MyMessageDlg("Das Deinstallationsprogramm braucht den Namen des Programms, das es entfernen soll.", mtError,
                     mbOK);
        RemoveOwnCopy();
        return 2;
    }
    ProgInfo.ShortName = ParamLine;
    const int status = RunUninstaller(5s);
    RemoveOwnCopy();
    return status;
}
