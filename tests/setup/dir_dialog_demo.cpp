// Shows the folder chooser on a real display, for looking at it:
//   dir_dialog_demo [--english] [--drive root,kind,label,source]... [start folder]
// Each --drive replaces the mounted file systems by the one given (kind as a
// number: 2 removable, 3 fixed, 4 network, 5 optical, 6 RAM disk). Prints the
// modal result and the folder chosen.
#include "platform/platform.h"
#include "services/program_record.h"
#include "services/text_helpers.h"
#include "setup/dir_dialog.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/qt_messages.h"
#include "support/qt_text.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The machine as it is, but for the drives.
class StagedDrives final : public SystemInfo {
public:
    explicit StagedDrives(SystemInfo& real) : real_(real) {}
    std::vector<DriveInfo> drives;

    std::string ComputerName() override { return real_.ComputerName(); }
    std::string UserName() override { return real_.UserName(); }
    std::int32_t ProcessorClockMHz() override { return real_.ProcessorClockMHz(); }
    MemoryStatus Memory() override { return real_.Memory(); }
    std::optional<OsVersion> Version() override { return real_.Version(); }
    std::optional<DriveInfo> DriveOf(const std::string& path) override { return real_.DriveOf(path); }
    std::int64_t FreeBytes(const std::string& path) override { return real_.FreeBytes(path); }
    std::vector<DriveInfo> Drives() override { return drives.empty() ? real_.Drives() : drives; }

private:
    SystemInfo& real_;
};

DriveInfo ParseDrive(std::string text)
{
    DriveInfo drive;
    drive.root = Fetch(text, ",");
    drive.kind = static_cast<DriveKind>(StrToInt64De(Fetch(text, ",")));
    drive.label = Fetch(text, ",");
    drive.source = text;
    return drive;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallQtMessages();
    Platform& platform = InstallNativePlatform();
    StagedDrives staged(*platform.systemInfo);
    platform.systemInfo = &staged;
    ProgInfo.ShortName = "Tapsodia";
    ProgInfo.Title = "Tapsody";
    ProgInfo.SaveDir = ToAnsi(QDir::tempPath()) + "/";
    TranslationOn = true;
    TDirDialog dialog;
    std::string start;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--english") == 0)
            TranslateForms(LanguageEnglish);
        else if (std::strcmp(argv[i], "--drive") == 0 && i + 1 < argc)
            staged.drives.push_back(ParseDrive(ToAnsi(QString::fromLocal8Bit(argv[++i]))));
        else
            start = ToAnsi(QString::fromLocal8Bit(argv[i]));
    }
    const int result = ChooseFolder(start);
    std::printf("%d %s\n", result, FromAnsi(ChosenFolder()).toLocal8Bit().constData());
    return 0;
}
