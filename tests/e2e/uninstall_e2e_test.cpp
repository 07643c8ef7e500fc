// Removing an installation on a virtual display with a window manager: through
// the start-menu launcher's action and through "/uninstall", after a silent
// installation and after the wizard; the sandbox is compared before the
// installation and after the removal.

#include "installation_fixture.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace {

// What a home holds: each path below it with its content ("/" for a folder).
using Tree = std::map<std::string, std::string>;

class UninstallE2e : public SetupE2e {
protected:
    fs::path startMenu = dataHome / "applications";

    void SetUp() override
    {
        SetupE2e::SetUp();
        // A desktop's home has its menu folder; the installation does not own it.
        fs::create_directories(startMenu);
    }

    // The home without what the session itself writes there (the window
    // manager's and the display's files, the programs' output) and without the
    // runtime folder, which the system empties when the user logs out.
    Tree HomeTree() const
    {
        Tree tree;
        const fs::path home = session.Home();
        for (auto entry = fs::recursive_directory_iterator(home); entry != fs::recursive_directory_iterator();
             ++entry) {
            const std::string path = fs::relative(entry->path(), home).string();
            const bool sessions =
                path == "runtime" || path == ".config/openbox" || path == ".cache/openbox" ||
                (entry.depth() == 0 && (entry->path().extension() == ".out" || entry->path().extension() == ".log"));
            if (sessions) {
                entry.disable_recursion_pending();
                continue;
            }
            tree[path] = entry->is_directory() ? "/" : ReadFile(entry->path());
        }
        tree["registry"] = session.RegistryText();
        return tree;
    }

    static std::string Differences(const Tree& before, const Tree& after)
    {
        std::ostringstream text;
        for (const auto& [path, content] : before)
            if (!after.contains(path))
                text << "gone: " << path << "\n";
            else if (after.at(path) != content)
                text << "changed: " << path << "\n" << content << "\n->\n" << after.at(path) << "\n";
        for (const auto& [path, content] : after)
            if (!before.contains(path))
                text << "new: " << path << "\n";
        return text.str();
    }

    // The folders the program writes the uninstaller into, while it runs.
    std::vector<fs::path> UninstallerFolders() const
    {
        std::vector<fs::path> folders;
        for (const auto& entry : fs::directory_iterator(session.Home() / "runtime"))
            if (entry.path().filename().string().starts_with("Tapsodia-uninstall-"))
                folders.push_back(entry.path());
        return folders;
    }

    // Starts the program with parameters and answers the uninstaller's question.
    // Returns what the uninstaller said; it has ended and removed itself then.
    std::string Uninstall(const std::vector<std::string>& argv, const std::string& question, const std::string& answer,
                          const std::string& report, const std::string& close = "Return")
    {
        const fs::path output = session.Home() / "uninstall.out";
        ChildProcess starter(argv, Environment(), output);
        EXPECT_EQ(starter.WaitForExit(30s), 0) << "the program ends once the uninstaller runs";
        EXPECT_TRUE(session.Answer(question, answer)) << ReadFile(output);
        if (!report.empty())
            EXPECT_TRUE(session.Answer(report, close)) << ReadFile(output);
        EXPECT_TRUE(WaitUntil([&] { return UninstallerFolders().empty(); }, 30s))
            << "the uninstaller removes itself and its folder when it ends";
        return ReadFile(output);
    }

    // The command line of the start-menu launcher's action "Deinstallieren",
    // split into its words as a desktop does.
    std::vector<std::string> LauncherAction() const
    {
        const std::string text = ReadFile(startMenu / "Tapsody 1.7.desktop");
        std::smatch match;
        const std::regex action("\\[Desktop Action Deinstallieren\\]\nName=Deinstallieren\nExec=\"([^\"]*)\" (\\S+)\n");
        if (!std::regex_search(text, match, action))
            return {};
        return {match[1], match[2]};
    }

    void ExpectNothingOfOurs()
    {
        EXPECT_FALSE(fs::exists(folder));
        for (const fs::path& launcher :
             {startMenu / "Tapsody 1.7.desktop", session.Home() / "Desktop/Tapsody 1.7.desktop"})
            EXPECT_FALSE(fs::exists(launcher)) << launcher;
        EXPECT_EQ(session.RegistryText().find("Tapsodia"), std::string::npos) << session.RegistryText();
        EXPECT_EQ(session.RegistryText().find("Wellenfeld"), std::string::npos) << session.RegistryText();
    }
};

TEST_F(UninstallE2e, SilentInstallationRemovedThroughTheLauncherLeavesNothing)
{
    // A copy that was never installed writes and starts the uninstaller all the same.
    const std::string nothing = Uninstall({downloaded.string(), "/uninstall"}, "^Tapsody 1\\.7$", "Return", "");
    EXPECT_NE(nothing.find("Tapsody 1.7 ist auf diesem Computer nicht installiert."), std::string::npos) << nothing;
    const Tree before = HomeTree();

    InstallDefault();
    ASSERT_TRUE(fs::exists(startMenu / "Tapsody 1.7.desktop"));
    // The information dialog's link carries no version in its name.
    fs::copy_file(startMenu / "Tapsody 1.7.desktop", startMenu / "Tapsody.desktop");
    const std::vector<std::string> action = LauncherAction();
    ASSERT_EQ(action, (std::vector<std::string>{(folder / "Tapsodia").string(), "/uninstall"}));

    const std::string said = Uninstall(action, "^Best..?tigen$", "alt+j", "^Tapsody 1\\.7$");
    EXPECT_NE(said.find("Soll Tapsody 1.7 mit allen seinen Dateien, Verkn\xC3\xBCpfungen und "
                        "Registrierungseintr\xC3\xA4gen von diesem Computer entfernt werden?\n\n"
                        "Installationsverzeichnis: " +
                        folder.string() + "/\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("Tapsody 1.7 wurde von diesem Computer entfernt.\n"), std::string::npos) << said;
    ExpectNothingOfOurs();
    EXPECT_FALSE(fs::exists(startMenu / "Tapsody.desktop"));
    EXPECT_EQ(Differences(before, HomeTree()), "");
}

TEST_F(UninstallE2e, WizardInstallationRemovedWithTheSwitch)
{
    app = Start(downloaded);
    const unsigned long wizard = Wizard();
    const Tree before = HomeTree();
    ClickIn(wizard, kForward);
    ClickIn(wizard, kForward);
    ClickIn(wizard, kForward); // installs
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(folder / "Tapsodia"); }));
    ClickIn(wizard, kForward); // starts the installed copy
    EXPECT_EQ(app.WaitForExit(30s), 0);
    const unsigned long keyboard = WaitForWindow("^Tapsody 1\\.7 ");
    session.Run({"xdotool", "windowclose", std::to_string(keyboard)});
    ASSERT_TRUE(WaitUntil([&] { return session.FindWindow("^Tapsody 1\\.7 ") == 0; }));

    const std::string said =
        Uninstall({(folder / "Tapsodia").string(), "/UNINSTALL"}, "^Best..?tigen$", "alt+j", "^Tapsody 1\\.7$");
    EXPECT_NE(said.find("Tapsody 1.7 wurde von diesem Computer entfernt.\n"), std::string::npos) << said;
    ExpectNothingOfOurs();
    EXPECT_EQ(Differences(before, HomeTree()), "");
}

TEST_F(UninstallE2e, AnsweringNoKeepsEverything)
{
    InstallDefault();
    const Tree before = HomeTree();
    Uninstall({(folder / "Tapsodia").string(), "/uninstall"}, "^Best..?tigen$", "alt+n", "");
    EXPECT_EQ(Differences(before, HomeTree()), "");
}

TEST_F(UninstallE2e, ARunningKeyboardIsNotRemovedUnderIt)
{
    InstallDefault();
    app = Start(folder / "Tapsodia", {"=0"}); // as the installer starts it: without the instance lock
    WaitForWindow("^Tapsody 1\\.7 ");
    const Tree before = HomeTree();
    const std::string said = Uninstall({(folder / "Tapsodia").string(), "/uninstall"}, "^Fehler$", "Return", "");
    EXPECT_NE(said.find("Tapsody 1.7 l\xC3\xA4uft noch."), std::string::npos) << said;
    EXPECT_EQ(Differences(before, HomeTree()), "");
}

TEST_F(UninstallE2e, AFileOfTheUserStaysAndIsNamedInEnglish)
{
    InstallDefault();
    ASSERT_TRUE(session.ReplaceInRegistry("\"Sprache\"=dword:00000000", "\"Sprache\"=dword:00000001"));
    std::ofstream(folder / "Notizen.txt") << "meine Notizen";

    const std::string said =
        Uninstall({(folder / "Tapsodia").string(), "/uninstall"}, "^Confirm$", "alt+y", "^Tapsody 1\\.7$");
    EXPECT_NE(said.find("Do you want to remove Tapsody 1.7 with all its files, links and registry entries from "
                        "this computer?"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("Tapsody 1.7 has been removed from this computer.\n\nThe folder " + folder.string() +
                        "/ stays, since it still holds files that do not belong to the program:\n    Notizen.txt\n"),
              std::string::npos)
        << said;
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(folder))
        left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<fs::path>{"Notizen.txt"});
    EXPECT_EQ(ReadFile(folder / "Notizen.txt"), "meine Notizen");
    EXPECT_EQ(session.RegistryText().find("Tapsodia"), std::string::npos) << session.RegistryText();
}

TEST_F(UninstallE2e, AnInstallationFolderAtTheHomeIsRefused)
{
    InstallDefault();
    ASSERT_TRUE(session.ReplaceInRegistry("\"Pfad\"=\"" + folder.string() + "/\"",
                                          "\"Pfad\"=\"" + session.Home().string() + "/\""));
    // Even with a file of the program's name there.
    fs::copy_file(folder / "Tapsodia", session.Home() / "Tapsodia");
    const Tree before = HomeTree();
    const std::string said = Uninstall({(folder / "Tapsodia").string(), "/uninstall"}, "^Fehler$", "Return", "");
    EXPECT_NE(said.find("Das Installationsverzeichnis " + session.Home().string() +
                        "/ ist Ihr pers\xC3\xB6nlicher Ordner.\n\nEs wurde nichts entfernt.\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(Differences(before, HomeTree()), "");
}

} // namespace
