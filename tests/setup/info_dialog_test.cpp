// The information dialog's rules on the platform fakes: the licence as web
// pages, the links without the version, the addresses handed to the desktop,
// and the language kept for the next start.

#include "fake_platform.h"
#include "services/program_record.h"
#include "setup/info_actions.h"
#include "setup/installation_names.h"
#include "setup/licence_page.h"
#include "setup/setup_pages.h"
#include "setup/setup_wizard.h"
#include "support/language_list.h"

#include <gtest/gtest.h>

namespace {

TEST(LicencePage, BodyLanguageLinkAndTopLinkAreReplaced)
{
    const std::vector<std::string> document{
        "<html>",
        "<body bgcolor=\"#FFFFFF\" onload=\"x()\">",
        "<p><img src=\"index.gif\" alt=\"English\"></p>",
        "<h1>Lizenz</h1>",
        "<p><a href=\"#top\"><img src=\"../Bild/oben.gif\"></a></p>",
        "</BODY></html>",
    };
    const std::string body =
        "<BODY text=\"#000000\" bgcolor=\"#FFFFFF\" link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\">";
    EXPECT_EQ(LicencePageLines(document, "LizenzDE.htm", "Licence.htm"),
              (std::vector<std::string>{"<html>", body, "<P><A href=\"Licence.htm\">English</A></P>", "<h1>Lizenz</h1>",
                                        "<P><A href=\"#top\">Anfang</A></P>", "</BODY></html>"}));
    EXPECT_EQ(LicencePageLines(document, "Licence.htm", "LizenzDE.htm"),
              (std::vector<std::string>{"<html>", body, "<P><A href=\"LizenzDE.htm\">Deutsch</A></P>",
                                        "<h1>Lizenz</h1>", "<P><A href=\"#top\">Top</A></P>", "</BODY></html>"}));
}

class InfoDialogTest : public ::testing::Test {
protected:
    FakePlatform fake;
    const std::string folder = "/home/anna/.local/share/Tapsodia/";

    void SetUp() override
    {
        ProgInfo = {};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.Title = "Tapsody 1.7";
        ProgInfo.Maker = "Wellenfeld Software";
        ProgInfo.Byline = "https://tapsody.example";
        ProgInfo.ContactAddress = "kontakt@tapsody.example";
        ProgInfo.ProgDir = ProgInfo.SaveDir = folder;
        fake.folders.executable = folder + "Tapsodia";
        fake.files.folders.insert(folder);
        fake.folders.special = {{SpecialFolderPrograms, "/home/anna/.local/share/applications/"}};
        TranslationOn = true;
        CurrentLanguage = LanguageGerman;
    }
    void TearDown() override
    {
        CurrentLanguage = LanguageGerman;
        TranslationOn = false;
    }
};

TEST_F(InfoDialogTest, LinksAreNamedWithoutTheVersion)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Tapsody 1.7", "Tapsody.lnk"}, {"Mein Programm 2.0b", "Mein Programm.lnk"}, {"Tapsody", ".lnk"}};
    for (const auto& [title, link] : cases) {
        ProgInfo.Title = title;
        EXPECT_EQ(installation::VersionlessLinkFileName(), link) << title;
    }
}

TEST_F(InfoDialogTest, HomepageEMailAndLinksGoToTheDesktop)
{
    fake.files.files[folder + "Tapsodia.png"] = "png";
    OpenHomepage();
    WriteEMail();
    EXPECT_TRUE(CreateProgramLink(SpecialFolderPrograms));
    EXPECT_FALSE(CreateProgramLink(SpecialFolderDesktopDirectory)) << "this system has no desktop folder";
    EXPECT_EQ(fake.shell.calls, (std::vector<std::string>{
                                    "open|https://tapsody.example/home.htm#Tapsody1.7||",
                                    "open|mailto:kontakt@tapsody.example?subject=Tapsody 1.7||",
                                    "link|" + folder + "Tapsodia|/home/anna/.local/share/applications/Tapsody.lnk|" +
                                        folder.substr(0, folder.size() - 1) + "|" + folder + "Tapsodia.png",
                                }));
    EXPECT_EQ(fake.messages.shown, (std::vector<std::string>{
                                       "show:Der Link %s wurde erstellt.|/home/anna/.local/share/applications/Tapsody",
                                       "show:Die Verkn\xFCpfung %s konnte nicht erstellt werden.|Tapsody",
                                   }));
}

TEST_F(InfoDialogTest, LicencePagesAreWrittenAndTheOneInTheLanguageOpened)
{
    const struct {
        bool translation;
        std::uint8_t language;
        const char* opened;
    } cases[] = {{true, LanguageGerman, "Tapsodia-Lizenz-DE.htm"},
                 {true, LanguageEnglish, "Tapsodia-Licence-EN.htm"},
                 {false, LanguageEnglish, "Tapsodia-Lizenz-DE.htm"}};
    for (const auto& c : cases) {
        TranslationOn = c.translation;
        CurrentLanguage = c.language;
        fake.shell.calls.clear();
        EXPECT_TRUE(OpenLicencePages({"<p>Deutsch</p>"}, {"<p>English</p>"}));
        EXPECT_EQ(fake.files.files[folder + "Tapsodia-Lizenz-DE.htm"], "<p>Deutsch</p>\r\n");
        EXPECT_EQ(fake.files.files[folder + "Tapsodia-Licence-EN.htm"], "<p>English</p>\r\n");
        EXPECT_EQ(fake.shell.calls, std::vector<std::string>{"open|" + folder + c.opened + "||"});
    }
}

TEST_F(InfoDialogTest, APageThatCannotBeWrittenIsReportedAndNothingOpened)
{
    fake.files.readOnly.insert(folder + "Tapsodia-Licence-EN.htm");
    EXPECT_FALSE(OpenLicencePages({"<p>Deutsch</p>"}, {"<p>English</p>"}));
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"show:Die Lizenzseite %s konnte nicht gespeichert "
                                                            "werden.|" +
                                                            folder + "Tapsodia-Licence-EN.htm"});
    EXPECT_TRUE(fake.shell.calls.empty());
}

TEST_F(InfoDialogTest, PageTenShowsVendorAndTitleWithOnlyTheForwardButton)
{
    const SetupPageContent page = SetupPage(InformationPage);
    EXPECT_EQ(page.caption, "Informationen zu diesem Programm");
    EXPECT_EQ(page.heading, "Wellenfeld Software");
    EXPECT_EQ(page.text, "Programmtitel: Tapsody 1.7\r\r");
    EXPECT_EQ(page.mask, ShowForward);
    EXPECT_EQ(page.forwardCaption, "&Weiter");
    EXPECT_TRUE(page.information);
    EXPECT_EQ(page.focus, SetupFocus::Licence);
}

class ClosingHost final : public SetupHost {
public:
    void SwitchLanguage(int) override {}
    void ShowPage() override {}
    void ShowModal() override {}
    void Close() override {}
    InstallIcons Icons() override { return {}; }
};

// Closing the dialog keeps the language under the vendor key, when that exists and differs.
TEST_F(InfoDialogTest, ClosingKeepsTheLanguageUnderAnExistingVendorKey)
{
    ClosingHost host;
    SetupWizard dialog(host);
    const std::string vendor = installation::VendorKey();
    CurrentLanguage = LanguageEnglish;
    EXPECT_TRUE(dialog.CloseQuery(true));
    EXPECT_FALSE(fake.registry.KeyExists(RegistryRoot::LocalMachine, vendor));

    fake.registry.WriteInteger(RegistryRoot::LocalMachine, vendor, "Sprache", 0);
    TranslationOn = false;
    EXPECT_TRUE(dialog.CloseQuery(true));
    EXPECT_EQ(fake.registry.ReadInteger(RegistryRoot::LocalMachine, vendor, "Sprache"), 0);
    TranslationOn = true;
    EXPECT_TRUE(dialog.CloseQuery(true));
    EXPECT_EQ(fake.registry.ReadInteger(RegistryRoot::LocalMachine, vendor, "Sprache"), 1);
}

} // namespace
