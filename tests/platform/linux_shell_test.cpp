#include "platform/linux/desktop_entry.h"
#include "platform/linux/linux_shell.h"
#include "platform/linux/process_start.h"
#include "sandbox.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

void WriteScript(const std::string& path, const std::string& body)
{
    Sandbox::Write(path, "#!/bin/sh\n" + body + "\n");
    chmod(path.c_str(), 0755);
}

// Waits for a file that a started program writes.
std::string AwaitFile(const std::string& path)
{
    for (int i = 0; i < 300 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return Sandbox::Read(path);
}

bool Validates(const std::string& desktopFile)
{
    const std::string command = "desktop-file-validate '" + desktopFile + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

TEST(LinuxShell, StartsAProgramInItsOwnFolderWithItsNameWhole)
{
    Sandbox sandbox;
    const std::string folder = sandbox.Root() + "/Pro gramme";
    const std::string out = sandbox.Root() + "/out.txt";
    WriteScript(folder + "/mein prog",
                "pwd > '" + out + ".tmp'; echo \"$#:$1:$2\" >> '" + out + ".tmp'; mv '" + out + ".tmp' '" + out + "'");
    LinuxShell shell;
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "mein prog", "eins \"zwei drei\"", folder), ShellStarted);
    EXPECT_EQ(AwaitFile(out), folder + "\n2:eins:zwei drei\n");

    // A folder given relative to the current one.
    std::filesystem::remove(out);
    const auto current = std::filesystem::current_path();
    std::filesystem::current_path(sandbox.Root());
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "mein prog", "", "Pro gramme"), ShellStarted);
    std::filesystem::current_path(current);
    EXPECT_EQ(AwaitFile(out), folder + "\n0::\n");
}

TEST(LinuxShell, MapsFailuresOntoTheResultCodes)
{
    Sandbox sandbox;
    LinuxShell shell;
    const std::string folder = sandbox.Root() + "/tmp";
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "fehlt", "", folder), ShellFileNotFound);
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "x", "", folder + "/kein/pfad"), ShellPathNotFound);
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "kein-programm-dieses-namens", "", ""), ShellFileNotFound);
    Sandbox::Write(folder + "/kaputt", "\x7F"
                                       "ELF nicht wirklich");
    chmod((folder + "/kaputt").c_str(), 0755);
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "kaputt", "", folder), ShellBadFormat);

    EXPECT_EQ(ShellCodeOfStartError(EACCES), ShellAccessDenied);
    EXPECT_EQ(ShellCodeOfStartError(ENOMEM), ShellOutOfMemory);
    EXPECT_EQ(ShellCodeOfOpenerStatus(0), ShellStarted);
    EXPECT_EQ(ShellCodeOfOpenerStatus(2), ShellFileNotFound);
    EXPECT_EQ(ShellCodeOfOpenerStatus(3), ShellNoAssociation);
    EXPECT_EQ(ShellCodeOfOpenerStatus(4), ShellNoAssociation);
}

TEST(LinuxShell, HandsDocumentsAndAddressesToTheOpener)
{
    Sandbox sandbox;
    const std::string bin = sandbox.Root() + "/bin";
    const std::string out = sandbox.Root() + "/opened.txt";
    WriteScript(bin + "/xdg-open", "echo \"xdg $1 $(pwd)\" >> '" + out + "'; exit 3");
    WriteScript(bin + "/gio", "echo \"gio $1 $2\" >> '" + out + "'");
    sandbox.Set("PATH", bin + ":/usr/bin:/bin");
    const std::string folder = sandbox.Root() + "/tmp";
    Sandbox::Write(folder + "/brief.txt", "Hallo");

    LinuxShell shell;
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "brief.txt", "", folder), ShellNoAssociation);
    EXPECT_EQ(shell.Execute(ShellVerb::Play, "brief.txt", "", folder), ShellStarted);
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "mailto:info@tapsody.example?subject=Tapsody 1.7", "", ""),
              ShellNoAssociation);
    EXPECT_EQ(Sandbox::Read(out), "xdg " + folder + "/brief.txt " + folder + "\n" + "gio open " + folder +
                                      "/brief.txt\n" + "xdg mailto:info@tapsody.example?subject=Tapsody 1.7 " +
                                      fs::current_path().string() + "\n");
}

TEST(LinuxShell, WithoutAnOpenerNothingCanOpenADocument)
{
    Sandbox sandbox;
    sandbox.Set("PATH", sandbox.Root() + "/leer");
    Sandbox::Write(sandbox.Root() + "/tmp/a.pdf", "%PDF");
    LinuxShell shell;
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "a.pdf", "", sandbox.Root() + "/tmp"), ShellNoAssociation);
    EXPECT_EQ(shell.Execute(ShellVerb::Play, "a.pdf", "", sandbox.Root() + "/tmp"), ShellNoAssociation);
    EXPECT_EQ(shell.Execute(ShellVerb::Open, "https://tapsody.example/home.htm", "", ""), ShellNoAssociation);
}

TEST(LinuxShell, SplitsParametersAtBlanksOutsideQuotes)
{
    EXPECT_EQ(SplitParameters("  a \"b c\"  d\"e f\" \"\""), (std::vector<std::string>{"a", "b c", "de f", ""}));
    EXPECT_TRUE(SplitParameters("   ").empty());
}

TEST(LinuxShell, LinksAreDesktopLaunchersThatValidate)
{
    Sandbox sandbox;
    const std::string folder = sandbox.Root() + "/home/Desktop/";
    fs::create_directories(folder);
    LinuxShell shell;
    ASSERT_TRUE(shell.CreateLink("/opt/Tap sody/tapsody", folder + "Tapsody 1.7.LNK", "/opt/Tap sody", {}));
    const std::string launcher = folder + "Tapsody 1.7.desktop";
    EXPECT_EQ(Sandbox::Read(launcher), "[Desktop Entry]\n"
                                       "Type=Application\n"
                                       "Version=1.0\n"
                                       "Name=Tapsody 1.7\n"
                                       "Exec=\"/opt/Tap sody/tapsody\"\n"
                                       "Path=/opt/Tap sody\n"
                                       "Terminal=false\n"
                                       "Categories=Utility;Accessibility;\n");
    EXPECT_TRUE(Validates(launcher));
    EXPECT_EQ(fs::status(launcher).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_FALSE(fs::exists(folder + "Tapsody 1.7.LNK"));

    // A link into the menu's folder makes the folder when it is missing; the icon,
    // given, goes into the launcher.
    const std::string menu = sandbox.Root() + "/home/.local/share/applications/";
    ASSERT_TRUE(shell.CreateLink("/opt/tapsody", menu + "Tapsody.lnk", "", {"tapsody", {}}));
    EXPECT_EQ(Sandbox::Read(menu + "Tapsody.desktop"), "[Desktop Entry]\n"
                                                       "Type=Application\n"
                                                       "Version=1.0\n"
                                                       "Name=Tapsody\n"
                                                       "Exec=/opt/tapsody\n"
                                                       "Icon=tapsody\n"
                                                       "Terminal=false\n"
                                                       "Categories=Utility;Accessibility;\n");
    EXPECT_TRUE(Validates(menu + "Tapsody.desktop"));
    Sandbox::Write(sandbox.Root() + "/datei", "");
    EXPECT_FALSE(shell.CreateLink("/x", sandbox.Root() + "/datei/a.lnk", "", {}));
}

TEST(LinuxShell, LauncherTextsEscapeWhatTheFormatReserves)
{
    const std::string text = DesktopEntryText("Gr\xC3\xBC\xC3\x9F"
                                              "e\\neu",
                                              "/opt/a$b/100%\\x\"y", "");
    EXPECT_EQ(text, "[Desktop Entry]\n"
                    "Type=Application\n"
                    "Version=1.0\n"
                    "Name=Gr\xC3\xBC\xC3\x9F"
                    "e\\\\neu\n"
                    "Exec=\"/opt/a\\\\$b/100%%\\\\\\\\x\\\\\"y\"\n"
                    "Terminal=false\n"
                    "Categories=Utility;Accessibility;\n");
    Sandbox sandbox;
    const std::string file = sandbox.Root() + "/odd.desktop";
    Sandbox::Write(file, text);
    EXPECT_TRUE(Validates(file));
    EXPECT_EQ(DesktopEntryFileName("/a/Tapsody.lnk"), "/a/Tapsody.desktop");
}

TEST(LinuxShell, LaunchersAreFoundByTheProgramTheyStartAndRemoved)
{
    Sandbox sandbox;
    const std::string menu = sandbox.Root() + "/home/.local/share/applications/";
    LinuxShell shell;
    // Targets whose names the launcher has to quote and escape (in Windows-1252).
    const std::string odd = sandbox.Root() + "/Eigene Daten/a$b 100%\\x\"\xFC/Tapsodia";
    const std::string plain = sandbox.Root() + "/Tapsodia/Tapsodia";
    ASSERT_TRUE(shell.CreateLink(odd, menu + "Tapsody 1.7.lnk", "", {"", {{"Deinstallieren", "/uninstall"}}}));
    ASSERT_TRUE(shell.CreateLink(odd, menu + "Tapsody.lnk", "", {}));
    ASSERT_TRUE(shell.CreateLink(plain, menu + "Tapsody 1.6.lnk", "", {}));
    ASSERT_TRUE(shell.CreateLink(odd + "2", menu + "Anderes.lnk", "", {}));
    Sandbox::Write(menu + "kaputt.desktop", "[Desktop Entry]\nName=ohne Exec\n");
    Sandbox::Write(menu + "Tapsody.txt", "Exec=" + plain + "\n");

    std::vector<std::string> found = shell.LinksTo(menu, odd);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{menu + "Tapsody 1.7.lnk", menu + "Tapsody.lnk"}));
    EXPECT_EQ(shell.LinksTo(menu, plain), std::vector<std::string>{menu + "Tapsody 1.6.lnk"});
    EXPECT_TRUE(shell.LinksTo(sandbox.Root() + "/fehlt/", plain).empty());

    EXPECT_TRUE(shell.RemoveLink(menu + "Tapsody 1.7.lnk"));
    EXPECT_FALSE(fs::exists(menu + "Tapsody 1.7.desktop"));
    EXPECT_TRUE(shell.RemoveLink(menu + "Tapsody 1.7.lnk")) << "gone already";
    EXPECT_EQ(shell.LinksTo(menu, odd), std::vector<std::string>{menu + "Tapsody.lnk"});
}

TEST(LinuxShell, ALaunchersProgramIsTheFirstWordOfItsEntrysExec)
{
    EXPECT_EQ(DesktopEntryTarget("[Desktop Action X]\nExec=/falsch\n[Desktop Entry]\nExec=/opt/tap %U\n"), "/opt/tap");
    EXPECT_EQ(DesktopEntryTarget("[Desktop Entry]\nExec=\"/opt/a b/t\\\\\\\\x\" /uninstall\n"), "/opt/a b/t\\x");
    EXPECT_EQ(DesktopEntryTarget("[Desktop Entry]\nName=x\n"), std::nullopt);
    EXPECT_EQ(LinkFileNameOf("/a/Tapsody 1.7.desktop"), "/a/Tapsody 1.7.lnk");
}
