// The program installing itself on a virtual display with a window manager: the
// setup wizard clicked through and the roles a start
// takes when an installation exists.

#include "installation_fixture.h"

#include <fstream>

namespace {

std::string Launcher(const fs::path& file)
{
    return ReadFile(file);
}

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
    EXPECT_NE(log.find("\r\nDirDialog\r\nInfo\r\n"), std::string::npos) << log; // the windows in their order
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
    ASSERT_TRUE(WaitUntil([&] { return Log(downloaded).find("\n2:") != std::string::npos; }));
    EXPECT_NE(Log(downloaded).find("2:Nein/Nein/ " + folder.string() + "/\r\n"), std::string::npos) << Log(downloaded);
    EXPECT_FALSE(fs::exists(dataHome / "applications/Tapsody 1.7.desktop"));
    EXPECT_FALSE(fs::exists(session.Home() / "Desktop/Tapsody 1.7.desktop"));
    ClickIn(wizard, kForward);
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u);
}

// A vendor key left by another product of ours is logged as such ("-inst1-");
// the wizard opens in German all the same. Cancel asks on every page (on the licence page its own,
// longer question) and "No" keeps the page, as does "No" to closing the window;
// a folder picked with the chooser is where the program goes.
TEST_F(SetupE2e, CancelAsksOnEveryPageAndAChosenFolderIsInstalledInto)
{
    fs::create_directories(session.Home() / ".config/tapsody");
    std::ofstream(session.Home() / ".config/tapsody/registry.reg", std::ios::binary)
        << "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Wellenfeld Software]\r\n\"Sprache\"=dword:00000001\r\n";
    const std::string kQuestion = "^Best\xC3\xA4tigen$";
    const std::string kChooser = "^Verzeichnis w\xC3\xA4hlen";
    const fs::path chosen = session.Home() / "Zielordner";
    fs::create_directories(chosen);
    app = Start(downloaded, {"/L"});
    Answer("^Tapsody$", "Return");
    const unsigned long wizard = Wizard();
    const auto cancelAnsweredNo = [&] {
        ClickIn(wizard, kCancel);
        const unsigned long question = WaitForWindow(kQuestion);
        const E2eSession::Geometry size = session.WindowGeometry(question);
        Answer(kQuestion, "alt+n");
        EXPECT_EQ(session.FindWindow("^Wellenfeld Software - Setup"), wizard);
        return size.width * size.height;
    };
    const int quitSetup = cancelAnsweredNo(); // welcome page
    ClickIn(wizard, kForward);
    EXPECT_GT(cancelAnsweredNo(), quitSetup) << "the licence page asks its own question";
    ClickIn(wizard, kForward); // "&Ja"
    EXPECT_EQ(cancelAnsweredNo(), quitSetup);
    session.Run({KEY_LOGGER, "--close", std::to_string(wizard)}); // as the close box does
    Answer(kQuestion, "alt+n");
    ASSERT_EQ(session.FindWindow("^Wellenfeld Software - Setup"), wizard);

    ClickIn(wizard, kChooseFolder);
    const unsigned long chooser = WaitForWindow(kChooser);
    session.Run({"xdotool", "windowfocus", "--sync", std::to_string(chooser)});
    session.Run({"xdotool", "key", "End", "Return", "alt+o"}); // the last folder of the home, opened, taken
    ASSERT_TRUE(WaitUntil([&] { return session.FindWindow(kChooser) == 0; }));
    ClickIn(wizard, kForward); // installs
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(chosen / "Tapsodia"); }));
    ClickIn(wizard, kForward); // "&Ende"
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_NE(WaitForWindow("^Tapsody 1\\.7 "), 0u);
    EXPECT_NE(Registry().find("\"Pfad\"=\"" + chosen.string() + "/\""), std::string::npos) << Registry();
    EXPECT_NE(Log(downloaded).find("-inst1-\r\n"), std::string::npos) << Log(downloaded);
}

// "Ja" to the licence page's question ends the program and installs nothing.
TEST_F(SetupE2e, DecliningTheLicenceEndsSetupWithNothingInstalled)
{
    app = Start(downloaded);
    const unsigned long wizard = Wizard();
    ClickIn(wizard, kForward);
    ClickIn(wizard, kCancel); // "&Nein" to the licence
    Answer("^Best\xC3\xA4tigen$", "alt+j");
    EXPECT_EQ(app.WaitForExit(30s), 0);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(Registry().find("Pfad"), std::string::npos) << Registry();
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
    Answer("^Best..?tigen$", "alt+j");   // update to Tapsody 1.7?
    Answer("^Tapsody 1\\.7$", "Return"); // "updated"
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
    EXPECT_NE(registry.find("\"UninstallString\"=\"" + folder.string() + "/Tapsodia /uninstall\""), std::string::npos)
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
