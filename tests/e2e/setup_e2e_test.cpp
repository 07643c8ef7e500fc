// The program installing itself on a virtual display with a window manager: the
// setup wizard clicked through and the roles a start
// takes when an installation exists.

#include "e2e_session.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;

// Places of the wizard's bottom buttons in its window (480 x 470, border 10).
constexpr std::pair<int, int> kForward{337, 447};
constexpr std::pair<int, int> kBack{242, 447};

class SetupE2e : public ::testing::Test {
protected:
    E2eSession session{true};
    // Programs are installed below a folder with a blank in its name.
    fs::path dataHome = session.Home() / "Eigene Daten";
    fs::path folder = dataHome / "Tapsodia";
    fs::path downloaded = session.Home() / "Downloads" / "tapsody";
    ChildProcess app;

    void SetUp() override
    {
        fs::create_directories(downloaded.parent_path());
        fs::copy_file(TAPSODY_PROGRAM, downloaded);
    }

    std::map<std::string, std::string> Environment() const
    {
        auto environment = session.Environment();
        environment["XDG_DATA_HOME"] = dataHome.string();
        return environment;
    }

    ChildProcess Start(const fs::path& program, const std::vector<std::string>& parameters = {})
    {
        std::vector<std::string> argv{program.string()};
        argv.insert(argv.end(), parameters.begin(), parameters.end());
        return ChildProcess(argv, Environment(), session.Home() / (program.filename().string() + ".out"));
    }

    // The store's text (UTF-16 with a byte-order mark) as the plain ASCII it holds here.
    std::string Registry() const
    {
        std::string text = ReadFile(session.Home() / ".config/tapsody/registry.reg");
        std::erase(text, '\0');
        std::erase(text, '\r');
        if (text.starts_with("\xFF\xFE"))
            text.erase(0, 2);
        return text;
    }
    void ReplaceInRegistry(const std::string& from, const std::string& to)
    {
        std::string text = Registry();
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(session.Home() / ".config/tapsody/registry.reg", std::ios::binary) << text;
    }

    unsigned long WaitForWindow(const std::string& pattern)
    {
        unsigned long window = 0;
        EXPECT_TRUE(WaitUntil([&] { return (window = session.FindWindow(pattern)) != 0; }, 30s)) << pattern;
        return window;
    }
    unsigned long Wizard() { return WaitForWindow("^Wellenfeld Software - Setup  Tapsody 1\\.7$"); }

    void ClickIn(unsigned long window, std::pair<int, int> at)
    {
        session.MouseMoveIn(window, at.first, at.second);
        session.MouseDown();
        session.MouseUp();
    }

    // Answers the message box that is in front with a key (Return: its default button).
    void Answer(const std::string& pattern, const std::string& key)
    {
        const unsigned long box = WaitForWindow(pattern);
        session.Run({"xdotool", "windowactivate", "--sync", std::to_string(box)});
        session.Run({"xdotool", "windowfocus", "--sync", std::to_string(box)});
        session.Run({"xdotool", "key", key});
        ASSERT_TRUE(WaitUntil([&] { return session.FindWindow(pattern) != box; }));
    }

    // Installs the program in the default folder silently ("/ini" installs where
    // the program is), then closes the keyboard of the copy it starts.
    void InstallDefault()
    {
        fs::create_directories(folder);
        fs::copy_file(TAPSODY_PROGRAM, folder / "Tapsodia", fs::copy_options::overwrite_existing);
        ChildProcess inPlace = Start(folder / "Tapsodia", {"/ini"});
        ASSERT_EQ(inPlace.WaitForExit(30s), 0);
        const unsigned long keyboard = WaitForWindow("^Tapsody 1\\.7 ");
        session.Run({"xdotool", "windowclose", std::to_string(keyboard)});
        ASSERT_TRUE(WaitUntil([&] { return session.FindWindow("^Tapsody 1\\.7 ") == 0; }));
    }

    std::string Log(const fs::path& program) { return ReadFile(program.parent_path() / "Tapsodia.log"); }
};

std::string Launcher(const fs::path& file) { return ReadFile(file); }

TEST_F(SetupE2e, WizardInEnglishInstallsAndStartsTheInstalledCopy)
{
    app = Start(downloaded, {"/L"});
    Answer("^Tapsody$", "Return"); // where the log goes
    const unsigned long wizard = Wizard();
    ClickIn(wizard, kBack);    // " English": the licence in English
    ClickIn(wizard, kForward); // "&Yes"
    ClickIn(wizard, kForward); // "&Continue": installs
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(folder / "Tapsodia"); }));
    ClickIn(wizard, kForward); // "&Finish"
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u) << "the installed copy shows the keyboard";

    const std::string dir = folder.string() + "/";
    EXPECT_EQ(ReadFile(folder / "Tapsodia"), ReadFile(TAPSODY_PROGRAM));
    EXPECT_EQ(fs::status(folder / "Tapsodia").permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_TRUE(fs::exists(folder / "Tapsodia.png"));
    const std::string ini = ReadFile(folder / "Tapsodia.ini");
    EXPECT_NE(ini.find("[Einstellungen]\r\nLizenzvertrag=1\r\nSprache=1\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[FensterMainform]\r\nTitel=Tapsody 1.7\r\n"), std::string::npos) << ini;

    const std::string registry = Registry();
    for (const std::string& expected :
         {std::string("[HKEY_LOCAL_MACHINE\\Software\\Wellenfeld Software]\n\"Sprache\"=dword:00000001\n"),
          "[HKEY_LOCAL_MACHINE\\Software\\Wellenfeld Software\\Tapsodia]\n\"Pfad\"=\"" + dir + "\"\n",
          std::string("\"von\"=\"Das Tapsody-Team\"\n\"Firma\"=\"Wellenfeld Software\"\n\"Titel\"=\"Tapsody 1.7\""),
          std::string("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Tapsodia]\n"
                      "\"DisplayName\"=\"Tapsody 1.7\"\n"),
          "\"UninstallString\"=\"" + dir + "Tapsodia /uninstall\"\n", std::string("\"Installiert\"=\"")})
        EXPECT_NE(registry.find(expected), std::string::npos) << expected << "\n" << registry;
    EXPECT_NE(registry.find("\"Lizenzvertrag\"=\""), std::string::npos);

    const fs::path startMenu = dataHome / "applications/Tapsody 1.7.desktop";
    const fs::path desktop = session.Home() / "Desktop/Tapsody 1.7.desktop";
    for (const fs::path& launcher : {startMenu, desktop}) {
        const std::string text = Launcher(launcher);
        EXPECT_NE(text.find("Exec=\"" + dir + "Tapsodia\"\n"), std::string::npos) << text;
        EXPECT_NE(text.find("Path=" + folder.string() + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find("Icon=" + dir + "Tapsodia.png\n"), std::string::npos) << text;
        EXPECT_NO_THROW(session.Run({"desktop-file-validate", launcher.string()}));
    }
    EXPECT_NE(Launcher(startMenu).find("[Desktop Action Deinstallieren]\nName=Deinstallieren\nExec=\"" + dir +
                                       "Tapsodia\" /uninstall\n"),
              std::string::npos);
    EXPECT_EQ(Launcher(desktop).find("Actions="), std::string::npos);

    const std::string log = Log(downloaded);
    EXPECT_NE(log.find("-inst1+\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("2:Ja/Ja/ " + dir + "\r\n3:starten\r\n"), std::string::npos) << log;
}

TEST_F(SetupE2e, BothLinkBoxesClearedMakeNoLinks)
{
    app = Start(downloaded, {"/L"});
    Answer("^Tapsody$", "Return");
    const unsigned long wizard = Wizard();
    ClickIn(wizard, kForward);
    ClickIn(wizard, kForward);
    ClickIn(wizard, {80 + 10 + 6, 190 + 10 + 6});
    ClickIn(wizard, {80 + 10 + 6, 210 + 10 + 6});
    ClickIn(wizard, kForward);
    ASSERT_TRUE(WaitUntil([&] { return Log(downloaded).find("\r\n2:") != std::string::npos; }));
    EXPECT_NE(Log(downloaded).find("2:Nein/Nein/ " + folder.string() + "/\r\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(dataHome / "applications/Tapsody 1.7.desktop"));
    EXPECT_FALSE(fs::exists(session.Home() / "Desktop/Tapsody 1.7.desktop"));
    ClickIn(wizard, kForward);
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u);
}

TEST_F(SetupE2e, SameVersionInstalledElsewhereIsStarted)
{
    InstallDefault();
    app = Start(downloaded, {"/L"});
    Answer("^Tapsody$", "Return");
    Answer("^Tapsody 1\\.7$", "Return"); // "already installed in path ..., which is started now"
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u);
    const std::string log = Log(downloaded);
    EXPECT_NE(log.find("-instT:Tapsody 1.7, " + folder.string() + "/\r\n-Gleich\r\n-instB\r\n"), std::string::npos)
        << log;
}

TEST_F(SetupE2e, NewerVersionInstalledIsStartedInstead)
{
    InstallDefault();
    ReplaceInRegistry("\"Titel\"=\"Tapsody 1.7\"", "\"Titel\"=\"Tapsody 1.8\"");
    app = Start(downloaded, {"/L"});
    Answer("^Tapsody$", "Return");
    Answer("^Tapsody 1\\.7$", "Return"); // "a newer version exists in path ..."
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u);
    EXPECT_NE(Log(downloaded).find("-neuer\r\n-instN\r\n"), std::string::npos) << Log(downloaded);
}

TEST_F(SetupE2e, OlderVersionInstalledIsUpdatedInPlace)
{
    InstallDefault();
    ReplaceInRegistry("\"Titel\"=\"Tapsody 1.7\"", "\"Titel\"=\"Tapsody 1.7b\"");
    std::ofstream(folder / "Tapsodia", std::ios::binary | std::ios::app) << "old";
    app = Start(downloaded);
    Answer("^Best..?tigen$", "alt+j"); // update to Tapsody 1.7?
    Answer("^Tapsody 1\\.7$", "Return");   // "updated"
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_EQ(ReadFile(folder / "Tapsodia"), ReadFile(TAPSODY_PROGRAM));
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u);
    // The installed copy, started from its folder, records its own title.
    EXPECT_TRUE(WaitUntil([&] { return Registry().find("\"Titel\"=\"Tapsody 1.7\"") != std::string::npos; }));
}

TEST_F(SetupE2e, InstalledCopyCorrectsAnOlderTitleAndItsUninstallEntry)
{
    InstallDefault();
    ReplaceInRegistry("\"Titel\"=\"Tapsody 1.7\"", "\"Titel\"=\"Tapsody 1.6\"");
    ReplaceInRegistry("\"UninstallString\"=\"", "\"UninstallString\"=\"/elsewhere");
    app = Start(folder / "Tapsodia");
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u) << "no question: the keyboard appears";
    const std::string registry = Registry();
    EXPECT_NE(registry.find("\"Titel\"=\"Tapsody 1.7\""), std::string::npos);
    EXPECT_NE(registry.find("\"UninstallString\"=\"" + folder.string() + "/Tapsodia /uninstall\""),
              std::string::npos)
        << registry;
}

TEST_F(SetupE2e, AnInstallationWhoseFolderIsGoneGetsTheWizard)
{
    InstallDefault();
    ReplaceInRegistry("\"Titel\"=\"Tapsody 1.7\"", "\"Titel\"=\"Tapsody 1.8\"");
    fs::remove_all(folder);
    app = Start(downloaded);
    const unsigned long wizard = Wizard();
    EXPECT_NE(wizard, 0u);
}

} // namespace
