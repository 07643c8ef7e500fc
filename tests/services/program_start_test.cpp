#include "fake_platform.h"
#include "services/program_files.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "support/language_list.h"

#include <gtest/gtest.h>

#include <iostream>

namespace {

// A fresh program record as the entry point leaves it, on a fake system with
// a writable program folder /opt/Tap sody/.
class StartProgramTest : public ::testing::Test {
protected:
    StartProgramTest()
    {
        ProgInfo = TProgInfo{};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.Title = "Tapsody";
        ProgInfo.Version = 107;
        ParamLine.clear();
        fake.folders.executable = "/opt/Tap sody/tapsody";
        fake.folders.commandLine = "\"/opt/Tap sody/tapsody\"";
        for (const char* folder : {"/opt/", "/opt/Tap sody/", "/tmp/", "/home/", "/home/anna/", "/home/anna/.config/",
                                   "/home/anna/Dokumente/", "/home/anna/.local/", "/home/anna/.local/share/"})
            fake.files.folders.insert(folder);
    }
    ~StartProgramTest() override { EndProgram(); }

    void MakeReadOnly(std::initializer_list<const char*> folders)
    {
        for (const char* folder : folders)
            fake.files.unwritableFolders.insert(folder);
    }
    std::vector<std::string> Probes() const
    {
        std::vector<std::string> probes;
        for (const std::string& call : fake.files.calls)
            if (call.starts_with("probe "))
                probes.push_back(call.substr(6));
        return probes;
    }

    FakePlatform fake;
};

} // namespace

TEST(SplitCommandLine, TakesTheQuotedProgramPathApart)
{
    const ProgramLocation location = SplitCommandLine("\"/opt/Tap sody/tapsody\"   /L  ", 21);
    EXPECT_EQ(location.progDir, "/opt/Tap sody/");
    EXPECT_EQ(location.paramLine, "/L");
}

TEST(SplitCommandLine, EndsAnUnquotedFolderAtTheLastSlashOfTheWholeLine)
{
    const ProgramLocation location = SplitCommandLine("/opt/t/tapsody /i x/y", 14);
    EXPECT_EQ(location.progDir, "/opt/t/tapsody /i x/");
    EXPECT_EQ(location.paramLine, "/i x/y");
    EXPECT_EQ(SplitCommandLine("tapsody =1", 7).progDir, "");
    EXPECT_EQ(SplitCommandLine("tapsody =1", 7).paramLine, "tapsody =1");
}

TEST(VersionTitle, AppendsMajorAndUnpaddedMinor)
{
    EXPECT_EQ(VersionTitle("Tapsody", "Tapsodia", 107), "Tapsody 1.7");
    EXPECT_EQ(VersionTitle("Tapsody", "Tapsodia", 110), "Tapsody 1.10");
    EXPECT_EQ(VersionTitle("Tapsody", "Tapsodia", -107), "Tapsody 1.7b");
    EXPECT_EQ(VersionTitle("Tapsody", "Tapsodia", 5), "Tapsody 0.5");
    EXPECT_EQ(VersionTitle("", "Tapsodia", 200), "Tapsodia 2.0");
}

TEST_F(StartProgramTest, FillsTheRecordFromTheSystem)
{
    fake.folders.commandLine = "\"/opt/Tap sody/tapsody\" /i";
    Sprachliste.Addstrings({"Ja", "Yes"});
    StartProgram(true);

    EXPECT_EQ(ProgInfo.ProgDir, "/opt/Tap sody/"); // its case kept: the file system tells cases apart
    EXPECT_EQ(ParamLine, "/i");
    EXPECT_EQ(ProgInfo.SaveDir, "/opt/Tap sody/");
    EXPECT_EQ(ProgInfo.WindowsDir, "/home/anna/.config/");
    EXPECT_EQ(ProgInfo.ProgFilesDir, "/home/anna/.local/share/");
    EXPECT_EQ(ProgInfo.PersonalDir, "/home/anna/Dokumente/");
    EXPECT_EQ(ProgInfo.TempDir, "/tmp/");
    EXPECT_EQ(ProgInfo.ComputerName, "WERKBANK");
    EXPECT_EQ(ProgInfo.Byline, "https://tapsody.example");
    EXPECT_FALSE(ProgInfo.LogEnabled);
    EXPECT_EQ(Sprachliste.Count(), 0);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(fake.files.files.contains("/opt/Tap sody/test.$$$"));
    // Without a settings file beside the program the single-instance rule does not apply.
    EXPECT_TRUE(fake.instanceLocks.requested.empty());
}

TEST_F(StartProgramTest, TakesFoldersFromTheRegistryAndWritesTheDocumentsFolderBack)
{
    const char* shellFolders = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    fake.registry.WriteString(RegistryRoot::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion",
                              "ProgramFilesDir", "  /srv/programme");
    StartProgram(true);
    EXPECT_EQ(ProgInfo.ProgFilesDir, "/srv/programme/");
    EXPECT_EQ(fake.registry.ReadString(RegistryRoot::CurrentUser, shellFolders, "Personal"), "/home/anna/Dokumente/");

    fake.registry.WriteString(RegistryRoot::CurrentUser, shellFolders, "Personal", "/daten/briefe");
    StartProgram(true);
    EXPECT_EQ(ProgInfo.PersonalDir, "/daten/briefe/");
}

TEST_F(StartProgramTest, SavesInTheTemporaryFolderWhenTheProgramFolderIsReadOnly)
{
    MakeReadOnly({"/opt/Tap sody/"});
    StartProgram(true);
    EXPECT_EQ(ProgInfo.SaveDir, "/tmp/");
    EXPECT_EQ(Probes(), (std::vector<std::string>{"/opt/Tap sody/test.$$$", "/tmp/test.$$$"}));
}

TEST_F(StartProgramTest, WalksTheWholeFallbackChainAndEndsInTheTemporaryFolder)
{
    MakeReadOnly({"/opt/Tap sody/", "/tmp/", "/home/anna/.config/", "/home/anna/Dokumente/", "/home/anna/.local/share/",
                  "/home/anna/", "/"});
    StartProgram(true);
    EXPECT_EQ(ProgInfo.SaveDir, "/tmp/");
    EXPECT_EQ(Probes(),
              (std::vector<std::string>{"/opt/Tap sody/test.$$$", "/tmp/test.$$$", "/home/anna/.config/test.$$$",
                                        "/home/anna/Dokumente/test.$$$", "/home/anna/.local/share/test.$$$",
                                        "/home/anna/test.$$$", "/test.$$$"}));
}

TEST_F(StartProgramTest, GivesUpAfterTwentyTestsOfAFolderOutsideTheChain)
{
    ProgInfo = TProgInfo{};
    ProgInfo.ProgDir = "/opt/a/";
    ProgInfo.TempDir = "/tmp/";
    EXPECT_EQ(FindSaveFolder("/irgendwo/"), "/irgendwo/");
    EXPECT_EQ(Probes().size(), 20u);
}

TEST_F(StartProgramTest, WritesTheLogHeaderLineByLine)
{
    fake.folders.commandLine = "\"/opt/Tap sody/tapsody\" -x /l";
    fake.systemInfo.drives = {{"/", DriveKind::Fixed, "", "/dev/sda1"}, {"/opt/", DriveKind::Network, "", "nas:/opt"}};
    StartProgram(true);

    ASSERT_TRUE(ProgInfo.LogEnabled);
    EXPECT_EQ(ParamLine, "-x");
    EXPECT_EQ(fake.messages.shown,
              (std::vector<std::string>{"plain:Logbuch wird gespeichert in: /opt/Tap sody/Tapsodia.log"}));
    const std::vector<std::string> lines = fake.files.Lines("/opt/Tap sody/Tapsodia.log");
    ASSERT_EQ(lines.size(), 13u) << ::testing::PrintToString(lines);
    // "8.12.2026  9:13:08": day, month, year, two blanks, time
    EXPECT_EQ(lines[0].find("  "), lines[0].find(' '));
    EXPECT_EQ(CountOf(".", lines[0]), 2);
    EXPECT_EQ(CountOf(":", lines[0]), 2);
    const std::vector<std::string> rest(lines.begin() + 1, lines.end());
    EXPECT_EQ(rest, (std::vector<std::string>{
                        "Programm:   /opt/Tap sody/tapsody",
                        "Parameter:  -x",
                        "Prog.Titel: Tapsody",
                        "Savepfad:  /opt/Tap sody/",
                        "Computername: WERKBANK",
                        "Benutzer: anna",
                        "Speed: 2.394 Mhz",
                        "75% in use/16.000 MByte",
                        "OS: Linux 6.1 (Debian GNU/Linux 12 (bookworm))",
                        "Screen: 1.024 x 768 32bit  60 Hz",
                        "Disk /opt/:12.345 MB Type /opt/:4 /opt/:4",
                        "-Utili",
                    }));
}

TEST_F(StartProgramTest, CutsEveryLogSwitchOutOfTheParameters)
{
    fake.folders.commandLine = "\"/opt/Tap sody/tapsody\" /Logbuch /i /L";
    StartProgram(true);
    EXPECT_TRUE(ProgInfo.LogEnabled);
    EXPECT_EQ(ParamLine, "ogbuch /i");
}

TEST_F(StartProgramTest, GoesOnWithoutALogWhenItCannotBeWritten)
{
    fake.folders.commandLine = "\"/opt/Tap sody/tapsody\" /L";
    fake.files.unwritableFolders = {"/opt/Tap sody/", "/tmp/"};
    fake.files.folders.erase("/home/anna/.config/");
    fake.files.folders.erase("/home/anna/Dokumente/");
    fake.files.folders.erase("/home/anna/.local/share/");
    fake.files.folders.erase("/home/anna/");
    fake.files.unwritableFolders.insert("/");
    StartProgram(true);
    EXPECT_FALSE(ProgInfo.LogEnabled);
    EXPECT_EQ(fake.messages.shown.size(), 1u); // only the notice where the log would be
    LogLine("Main");
}

TEST_F(StartProgramTest, TheSingleInstanceRuleNeedsASettingsFileAndNoEqualsSign)
{
    fake.files.files["/opt/Tap sody/Tapsodia.ini"] = "";
    fake.folders.commandLine = "\"/opt/Tap sody/tapsody\" =1";
    StartProgram(true);
    EXPECT_TRUE(fake.instanceLocks.requested.empty());

    fake.folders.commandLine = "\"/opt/Tap sody/tapsody\"";
    StartProgram(false);
    EXPECT_TRUE(fake.instanceLocks.requested.empty());

    StartProgram(true);
    EXPECT_EQ(fake.instanceLocks.requested, (std::vector<std::string>{"Tapsodia"}));
    EXPECT_TRUE(HoldsInstanceLock());
    EndProgram();
    EXPECT_FALSE(HoldsInstanceLock());
}

namespace {

class NoisyKeyboard final : public KeyboardOutput {
public:
    std::uint32_t MapKeyCode(std::uint32_t, KeyMapping) override { return 0; }
    void KeybdEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {}
    WindowHandle GetForegroundWindow() override { return 0; }
    bool SetForegroundWindow(WindowHandle window) override
    {
        std::cerr << "front:" << window << '\n';
        return true;
    }
    std::uint32_t GetForegroundLockTimeout() override { return 0; }
    void SetForegroundLockTimeout(std::uint32_t) override {}
    void MessageBeep(std::uint32_t) override {}
};

class NoisyMessages final : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string&, std::uint8_t, std::uint16_t, int) override { return mrOk; }
    void ShowMessage(const std::string&) override {}
    void PlainMessage(const std::string& text) override { std::cerr << "plain:" << text << '\n'; }
};

} // namespace

TEST_F(StartProgramTest, ASecondInstanceBringsTheFirstToTheFrontAndEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    fake.files.files["/opt/Tap sody/Tapsodia.ini"] = "";
    fake.instanceLocks.result = InstanceLockResult::HeldElsewhere;
    NoisyKeyboard keyboard;
    fake.keyboard.activationSucceeds = true;
    NoisyMessages messages;
    SetMessageService(&messages);
    Platform platform = ThePlatform();
    platform.keyboard = &keyboard;
    SetPlatform(&platform);
    // The keyboard's caption begins with the title it shows; the short name counts too.
    const std::vector<std::pair<std::vector<DesktopWindow>, std::string>> cases = {
        {{{11, "Terminal"}, {22, ""}, {33, "Tapsody 1.7 https://tapsody.example"}, {44, "Tapsodia"}}, "^front:33\n$"},
        {{{11, "tapsody 1.7"}}, "^front:11\n$"},
        {{{11, "Terminal"}, {22, "TAPSODIA - Hilfe"}}, "^front:22\n$"},
        {{{11, "Tapsody 1.6"}, {22, "Tapsody"}, {33, "Tapsod"}},
         "^plain:Programm kann nur einmal gestartet werden.\n$"},
    };
    for (const auto& [windows, outcome] : cases) {
        fake.desktop.windows = windows;
        EXPECT_EXIT(StartProgram(true), ::testing::ExitedWithCode(0), outcome);
    }
    SetMessageService(&fake.messages);
}

TEST_F(StartProgramTest, TakesTheShortNameFromTheProgramFile)
{
    ProgInfo.ShortName.clear();
    fake.folders.executable = "/opt/Tap sody/MeinProg.bin";
    fake.folders.commandLine = "\"/opt/Tap sody/MeinProg.bin\"";
    StartProgram(true);
    EXPECT_EQ(ProgInfo.ShortName, "meinprog");
}

TEST_F(StartProgramTest, QuitProgramEndsTheProgramAfterFreeingWhatStartUpMade)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    fake.files.files["/opt/Tap sody/Tapsodia.ini"] = "";
    StartProgram(true);
    ASSERT_TRUE(HoldsInstanceLock());
    Sprachliste.Addstrings({"Ja", "Yes"});
    SetQuitHook([] { std::cerr << "hook lock:" << HoldsInstanceLock() << " pairs:" << Sprachliste.Count() << '\n'; });
    EXPECT_EXIT(QuitProgram(), ::testing::ExitedWithCode(0), "^hook lock:0 pairs:0\n$");
    SetQuitHook(nullptr);
}
