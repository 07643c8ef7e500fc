#include "setup/info_actions.h"

#include "platform/platform.h"
#include "services/program_record.h"
#include "services/shell_integration.h"
#include "services/text_helpers.h"
#include "setup/installation_names.h"
#include "setup/licence_page.h"
#include "support/language_list.h"
#include "support/messages.h"

namespace in = installation;

void OpenHomepage()
{
    std::string anchor = ProgInfo.Title;
    ReplaceAll(anchor, " ", "");
    ShellOpenDocument(ProgInfo.Byline + "/home.htm#" + anchor);
}

void WriteEMail()
{
    ShellOpenDocument("mailto:" + ProgInfo.ContactAddress + "?subject=" + ProgInfo.Title);
}

bool CreateProgramLink(int specialFolder)
{
    std::string folder;
    SpecialFolder(specialFolder, folder);
    const std::string link = folder + in::VersionlessLinkFileName();
    const std::string shown = LeftStr(link, static_cast<int>(link.size()) - 4); // without ".lnk"
    LinkDetails details;
    // The icon an installation put beside the program.
    if (ThePlatform().files->FileExists(in::IconFile(ProgInfo.ProgDir)))
        details.icon = in::IconFile(ProgInfo.ProgDir);
    if (folder.empty() || !CreateWinLink(ThePlatform().folders->ExecutablePath(), link, ProgInfo.ProgDir, details)) {
        MyShowMessage("Die Verkn\xFCpfung %s konnte nicht erstellt werden.|" + shown);
        return false;
    }
    MyShowMessage("Der Link %s wurde erstellt.|" + shown);
    return true;
}

namespace {

bool WritePage(const std::vector<std::string>& document, const std::string& file, const std::string& otherFile)
{
    std::string bytes;
    for (const std::string& line : LicencePageLines(document, file, otherFile))
        bytes += line + "\r\n";
    const std::string path = ProgInfo.SaveDir + file;
    if (ThePlatform().files->WriteReplacing(path, bytes))
        return true;
    MyShowMessage("Die Lizenzseite %s konnte nicht gespeichert werden.|" + path);
    return false;
}

} // namespace

bool OpenLicencePages(const std::vector<std::string>& germanDocument, const std::vector<std::string>& englishDocument)
{
    // Each page links to the other by its bare file name.
    const std::string germanPage = installation::LicencePageFile("", true);
    const std::string englishPage = installation::LicencePageFile("", false);
    if (!WritePage(germanDocument, germanPage, englishPage) || !WritePage(englishDocument, englishPage, germanPage))
        return false;
    const bool english = TranslationOn && CurrentLanguage == LanguageEnglish;
    ShellOpenDocument(ProgInfo.SaveDir + (english ? englishPage : germanPage));
    return true;
}
