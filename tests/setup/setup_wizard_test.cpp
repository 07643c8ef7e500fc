// The wizard's steps and the install step on the platform fakes: what an
// installation writes, and what stops it.

#include "fake_platform.h"
#include "sandbox.h"
#include "services/program_record.h"
#include "setup/installation_names.h"
#include "setup/setup_wizard.h"
#include "support/language_list.h"

#include <gtest/gtest.h>

namespace {

class RecordingHost final : public SetupHost {
public:
    std::vector<std::string> calls;
    void SwitchLanguage(int language) override { calls.push_back("language " + std::to_string(language)); }
    void ShowPage() override { calls.push_back("page"); }
    void ShowModal() override { calls.push_back("modal"); }
    void Close() override { calls.push_back("close"); }
    InstallIcons Icons() override { return {"png", "svg"}; }
};

class SetupWizardTest : public ::testing::Test {
protected:
    Sandbox sandbox;
    FakePlatform fake;
    RecordingHost host;
    SetupWizard wizard{host};
    std::string folder = sandbox.Root() + "/Mein Ordner/";

    void SetUp() override
    {
        ProgInfo = {};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.Title = "Tapsody 1.7";
        ProgInfo.Maker = "Wellenfeld Software";
        TranslationOn = true;
        CurrentLanguage = LanguageEnglish;
        std::filesystem::create_directories(folder);
        fake.files.folders.insert(sandbox.Root() + "/");
        fake.files.folders.insert(folder);
        fake.files.files[fake.folders.executable] = "program";
        fake.folders.special = {{SpecialFolderPrograms, "/home/anna/.local/share/applications/"},
                                {SpecialFolderDesktopDirectory, "/home/anna/Desktop/"}};
        wizard.Choice() = {folder, true, true};
    }
    void TearDown() override { CurrentLanguage = LanguageGerman; }

    std::optional<std::string> Value(const std::string& key, const char* name)
    {
        return fake.registry.ReadString(RegistryRoot::LocalMachine, key, name);
    }
};

TEST_F(SetupWizardTest, PagesGoForwardAndBackSwitchingLanguage)
{
    wizard.SetPage(WelcomePage);
    wizard.Back(); // " English"
    EXPECT_EQ(wizard.Page(), LicencePage);
    wizard.Back(); // back to the welcome page, always in German
    wizard.Forward();
    wizard.Forward();
    EXPECT_EQ(wizard.Page(), OptionsPage);
    wizard.Back();
    EXPECT_EQ(wizard.Page(), LicencePage);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"language 1", "page", "language 0", "page", "language 0", "page",
                                                    "page", "page"}));
}

TEST_F(SetupWizardTest, InstallWritesProgramSettingsRegistryAndLinks)
{
    wizard.SetPage(OptionsPage);
    wizard.Forward();
    ASSERT_EQ(wizard.Page(), FinishedPage) << ::testing::PrintToString(fake.messages.shown);
    EXPECT_EQ(fake.files.files[folder + "Tapsodia"], "program");
    EXPECT_EQ(fake.files.files[folder + "Tapsodia.png"], "png");
    EXPECT_EQ(Sandbox::Read(folder + "Tapsodia.ini"),
              "[Einstellungen]\r\nLizenzvertrag=1\r\nSprache=1\r\n\r\n[FensterMainform]\r\nTitel=Tapsody 1.7\r\n");
    const std::string product = installation::ProductKey();
    EXPECT_EQ(product, "\\Software\\Wellenfeld Software\\Tapsodia");
    EXPECT_EQ(fake.registry.ReadInteger(RegistryRoot::LocalMachine, installation::VendorKey(), "Sprache"), 1);
    EXPECT_EQ(Value(product, "Pfad"), folder);
    EXPECT_EQ(Value(product, "Titel"), "Tapsody 1.7");
    EXPECT_EQ(Value(product, "Firma"), "Wellenfeld Software");
    EXPECT_EQ(Value(product, "von"), "Das Tapsody-Team");
    EXPECT_EQ(Value(product, "Lizenzvertrag")->size(), 10u);
    EXPECT_EQ(Value(installation::UninstallKey(), "UninstallString"), "/opt/Tapsody/tapsody /uninstall");
    EXPECT_EQ(fake.shell.calls,
              (std::vector<std::string>{
                  "link|" + folder + "Tapsodia|/home/anna/.local/share/applications/Tapsody 1.7.lnk|" +
                      folder.substr(0, folder.size() - 1) + "|" + folder + "Tapsodia.png|Deinstallieren:/uninstall",
                  "link|" + folder + "Tapsodia|/home/anna/Desktop/Tapsody 1.7.lnk|" +
                      folder.substr(0, folder.size() - 1) + "|" + folder + "Tapsodia.png"}));
}

TEST_F(SetupWizardTest, AFailedCopyIsReportedAndTheWizardStays)
{
    fake.files.readOnly.insert(folder + "Tapsodia");
    wizard.SetPage(OptionsPage);
    wizard.Forward();
    EXPECT_EQ(wizard.Page(), OptionsPage);
    EXPECT_EQ(fake.messages.shown, (std::vector<std::string>{"show:Das Programm konnte nicht nach %s kopiert werden.|" +
                                                             folder + "Tapsodia"}));
    EXPECT_FALSE(Value(installation::ProductKey(), "Lizenzvertrag")) << "the licence is recorded only when installed";
    EXPECT_TRUE(fake.shell.calls.empty());
}

TEST_F(SetupWizardTest, AFolderThatCannotBeMadeIsReported)
{
    fake.files.unwritableFolders.insert("/");
    wizard.Choice().folder = "/nirgends/Tapsodia/";
    wizard.SetPage(OptionsPage);
    wizard.Forward();
    EXPECT_EQ(wizard.Page(), OptionsPage);
    EXPECT_EQ(fake.messages.shown,
              (std::vector<std::string>{"show:Konnte Verzeichnis %s nicht erstellen|/nirgends/Tapsodia/"}));
}

// The program installed for every user lies in a folder of the system; "/ini"
// started there installs the user's copy where the wizard would.
TEST_F(SetupWizardTest, SilentInstallGoesBesideTheProgramUnlessItIsTheSharedOne)
{
    const std::string shared = installation::SharedProgramFile();
    ASSERT_TRUE(shared.starts_with("/") && shared.ends_with("/bin/tapsody")) << shared;
    ProgInfo.ProgFilesDir = "/home/anna/.local/share/";
    const struct {
        std::string program, progDir, expected;
    } cases[] = {
        {shared, shared.substr(0, shared.size() - 7), "/home/anna/.local/share/Tapsodia/"},
        {"/opt/Tapsody/tapsody", "/opt/Tapsody/", "/opt/Tapsody/"},
        {shared + "-1.6", shared.substr(0, shared.size() - 7), shared.substr(0, shared.size() - 7)},
    };
    for (const auto& c : cases) {
        fake.folders.executable = c.program;
        ProgInfo.ProgDir = c.progDir;
        EXPECT_EQ(installation::SilentInstallFolder(), c.expected) << c.program;
    }
}

} // namespace
