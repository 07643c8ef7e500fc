#include "platform/linux/linux_files.h"
#include "platform/linux/linux_folders.h"
#include "platform/linux/network_wait.h"
#include "sandbox.h"
#include "services/program_start.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <future>

namespace fs = std::filesystem;

TEST(LinuxFiles, AnswersForFoldersFilesAndTheReadOnlyMark)
{
    Sandbox sandbox;
    LinuxFileSystem files;
    const std::string folder = sandbox.Root() + "/tmp/";
    EXPECT_TRUE(files.FolderExists(folder));
    EXPECT_FALSE(files.FolderExists(folder + "fehlt/"));
    EXPECT_FALSE(files.FolderExists(""));
    Sandbox::Write(folder + "a.txt", "x");
    EXPECT_TRUE(files.FileExists(folder + "a.txt"));
    EXPECT_FALSE(files.FileExists(folder));
    EXPECT_FALSE(files.IsReadOnly(folder + "a.txt"));
    chmod((folder + "a.txt").c_str(), 0444);
    EXPECT_TRUE(files.IsReadOnly(folder + "a.txt"));
    EXPECT_FALSE(files.IsReadOnly(folder + "fehlt.txt"));

    EXPECT_TRUE(files.CreateFolder(folder + "Gr\xFC\xDF"
                                            "e")); // a name in Windows-1252 ...
    EXPECT_TRUE(fs::is_directory(folder + "Gr\xC3\xBC\xC3\x9F"
                                          "e")); // ... is UTF-8 on disk
    EXPECT_FALSE(files.CreateFolder(folder + "x/y"));
    EXPECT_TRUE(files.Copy(folder + "a.txt", folder + "b.txt", false));
    EXPECT_FALSE(files.Copy(folder + "a.txt", folder + "b.txt", false));
}

TEST(LinuxFiles, ListsAFolderWithLinksCountedAsWhatTheyPointTo)
{
    Sandbox sandbox;
    LinuxFileSystem files;
    const std::string folder = sandbox.Root() + "/tmp/";
    fs::create_directory(folder + "Unter");
    Sandbox::Write(folder + "\xC3\xBC.txt", ""); // "ü.txt" on disk
    fs::create_directory_symlink(folder + "Unter", folder + "Verweis");
    fs::create_symlink(folder + "fehlt", folder + "kaputt"); // a link to nothing is no folder

    auto entries = files.ListFolder(folder);
    ASSERT_TRUE(entries);
    std::vector<std::string> listed;
    for (const FolderEntry& entry : *entries)
        listed.push_back(entry.name + (entry.folder ? "/" : ""));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"Unter/", "Verweis/", "kaputt", "\xFC.txt"}));
    EXPECT_FALSE(files.ListFolder(folder + "fehlt/"));
    EXPECT_FALSE(files.ListFolder(folder + "\xFC.txt"));
}

TEST(LinuxFiles, ACallThatDoesNotReturnInTimeIsGivenUp)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    EXPECT_FALSE(WithinTimeLimit<int>(std::chrono::milliseconds(20), [released] {
        released.wait();
        return 1;
    }));
    release.set_value();
    EXPECT_EQ(WithinTimeLimit<int>(std::chrono::seconds(60), [] { return 2; }), 2);
    EXPECT_FALSE(OnNetworkFileSystem("/proc/self"));
    EXPECT_FALSE(OnNetworkFileSystem("relativ"));
}

TEST(LinuxFiles, TheWriteProbeNeitherFollowsALinkNorLeavesAFile)
{
    Sandbox sandbox;
    LinuxFileSystem files;
    const std::string folder = sandbox.Root() + "/tmp/";
    const std::string victim = sandbox.Root() + "/home/victim";
    Sandbox::Write(victim, "keep");

    EXPECT_TRUE(files.ProbeWritable(folder, "test.$$$"));
    EXPECT_FALSE(fs::exists(folder + "test.$$$"));

    // A link planted under the probe's name is removed, never written through.
    fs::create_symlink(victim, folder + "test.$$$");
    EXPECT_TRUE(files.ProbeWritable(folder, "test.$$$"));
    EXPECT_EQ(Sandbox::Read(victim), "keep");
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder + "test.$$$")));

    EXPECT_FALSE(files.ProbeWritable(folder + "fehlt/", "test.$$$"));
}

TEST(LinuxFiles, AnotherUsersEntryIsNeitherRemovedNorWritten)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs to give a link to another user";
    Sandbox sandbox;
    LinuxFileSystem files;
    const std::string folder = sandbox.Root() + "/tmp/";
    const std::string victim = sandbox.Root() + "/home/victim";
    Sandbox::Write(victim, "keep");
    for (const char* name : {"test.$$$", "Tapsodia.log"}) {
        fs::create_symlink(victim, folder + name);
        ASSERT_EQ(lchown((folder + name).c_str(), 12345, 12345), 0);
    }
    EXPECT_FALSE(files.ProbeWritable(folder, "test.$$$"));
    EXPECT_FALSE(files.CreateOwnTextFile(folder + "Tapsodia.log", {"x"}));
    EXPECT_FALSE(files.AppendOwnTextFile(folder + "Tapsodia.log", {"x"}));
    EXPECT_EQ(Sandbox::Read(victim), "keep");
    EXPECT_TRUE(fs::is_symlink(folder + "test.$$$"));

    // Nor a plain file of another user that happens to carry the name.
    Sandbox::Write(folder + "other.log", "theirs");
    ASSERT_EQ(chown((folder + "other.log").c_str(), 12345, 12345), 0);
    EXPECT_FALSE(files.AppendOwnTextFile(folder + "other.log", {"x"}));
    EXPECT_EQ(Sandbox::Read(folder + "other.log"), "theirs");
}

TEST(LinuxFiles, TextFilesRefuseLinksPlantedInTheirPlace)
{
    Sandbox sandbox;
    LinuxFileSystem files;
    const std::string log = sandbox.Root() + "/tmp/Tapsodia.log";
    const std::string victim = sandbox.Root() + "/home/victim";
    Sandbox::Write(victim, "keep");

    fs::create_symlink(victim, log);
    EXPECT_FALSE(files.AppendOwnTextFile(log, {"x"}));
    EXPECT_EQ(Sandbox::Read(victim), "keep");

    // Creating anew replaces our own link by a file of ours; the target stays.
    EXPECT_TRUE(files.CreateOwnTextFile(log, {"eins", "zwei"}));
    EXPECT_EQ(Sandbox::Read(victim), "keep");
    EXPECT_FALSE(fs::is_symlink(log));
    EXPECT_TRUE(files.AppendOwnTextFile(log, {"drei"}));
    EXPECT_EQ(Sandbox::Read(log), "eins\r\nzwei\r\ndrei\r\n");
    EXPECT_EQ(fs::status(log).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    fs::remove(log);
    EXPECT_TRUE(files.AppendOwnTextFile(log, {"neu"}));
    EXPECT_EQ(Sandbox::Read(log), "neu\r\n");
}

TEST(LinuxFolders, FollowTheXdgVariablesAndUserDirs)
{
    Sandbox sandbox;
    LinuxSystemFolders folders;
    const std::string home = sandbox.Home();
    EXPECT_EQ(folders.WindowsFolder(), home + "/.config/");
    EXPECT_EQ(folders.ProgramFilesFolder(), home + "/.local/share/");
    // The temporary folder is the user's own, never one that others can write to.
    sandbox.Set("XDG_CACHE_HOME", home + "/.cache");
    EXPECT_EQ(folders.TempFolder(), sandbox.Root() + "/run/");
    fs::permissions(sandbox.Root() + "/run", fs::perms(01777));
    EXPECT_EQ(folders.TempFolder(), home + "/.cache/tapsody/");
    EXPECT_EQ(fs::status(home + "/.cache/tapsody").permissions(), fs::perms::owner_all);
    sandbox.Set("XDG_RUNTIME_DIR", sandbox.Root() + "/fehlt");
    sandbox.Set("XDG_CACHE_HOME", sandbox.Root() + "/cache");
    EXPECT_EQ(folders.TempFolder(), sandbox.Root() + "/cache/tapsody/");
    EXPECT_EQ(folders.FirstFallbackFolder(), home + "/");
    EXPECT_EQ(folders.SecondFallbackFolder(), "/");
    EXPECT_EQ(folders.DocumentsFolder(), home + "/Documents/");

    Sandbox::Write(home + "/.config/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                                     "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                                     "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(folders.DocumentsFolder(), home + "/Dokumente/");

    EXPECT_FALSE(folders.SpecialFolder(SpecialFolderDesktopDirectory)); // no desktop folder yet
    fs::create_directories(home + "/Schreibtisch");
    EXPECT_EQ(folders.SpecialFolder(SpecialFolderDesktopDirectory), home + "/Schreibtisch/");
    EXPECT_EQ(folders.SpecialFolder(SpecialFolderPrograms), home + "/.local/share/applications/");
    EXPECT_FALSE(fs::exists(home + "/.local/share/applications")); // asking creates nothing
    EXPECT_FALSE(folders.SpecialFolder(5));

    sandbox.Set("XDG_CONFIG_HOME", "relative/path"); // ignored, as the XDG rules say
    EXPECT_EQ(folders.WindowsFolder(), home + "/.config/");
}

TEST(LinuxFolders, TheCommandLineQuotesTheProgramAndBlankParameters)
{
    EXPECT_EQ(JoinCommandLine("/opt/Tap sody/tapsody", {"/L", "a b", ""}), "\"/opt/Tap sody/tapsody\" /L \"a b\" \"\"");
    // Start-up takes the line apart again: any folder name comes back whole.
    for (const std::string folder : {"/opt/Tap sody/", "/opt/a\"b/", "/opt/\"/", "/opt/x\"\"y/", "/\"q\"/"}) {
        const ProgramLocation location =
            SplitCommandLine(JoinCommandLine(folder + "tapsody", {"/L", "a b"}), folder.size() + 7);
        EXPECT_EQ(location.progDir, folder);
        EXPECT_EQ(location.paramLine, "/L \"a b\"") << folder;
    }
    LinuxSystemFolders folders;
    const std::string line = folders.CommandLine();
    EXPECT_EQ(line.rfind("\"" + folders.ExecutablePath() + "\"", 0), 0u) << line;
}

TEST(LinuxFiles, PrivateFoldersAndProgramsAreNewAndOnlyTheUsers)
{
    Sandbox sandbox;
    LinuxFileSystem files;
    const std::string temp = sandbox.Root() + "/tmp/";
    const auto first = files.CreatePrivateFolder(temp, "Tapsodia-uninstall-");
    const auto second = files.CreatePrivateFolder(temp, "Tapsodia-uninstall-");
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_TRUE(first->starts_with(temp + "Tapsodia-uninstall-") && first->ends_with("/")) << *first;
    EXPECT_EQ(fs::status(*first).permissions(), fs::perms::owner_all);
    EXPECT_FALSE(files.CreatePrivateFolder(temp + "fehlt/", "x-"));

    const mode_t mask = umask(0077 | 0100); // even a umask without the owner's x
    EXPECT_TRUE(files.CreatePrivateProgram(*first + "quninst", "#!/bin/true\n"));
    umask(mask);
    EXPECT_EQ(fs::status(*first + "quninst").permissions(), fs::perms::owner_all);
    EXPECT_EQ(Sandbox::Read(*first + "quninst"), "#!/bin/true\n");
    EXPECT_FALSE(files.CreatePrivateProgram(*first + "quninst", "other")) << "never over a file there";
    EXPECT_EQ(Sandbox::Read(*first + "quninst"), "#!/bin/true\n");

    // Nor through a link planted there.
    const std::string victim = sandbox.Root() + "/home/victim";
    Sandbox::Write(victim, "keep");
    fs::create_symlink(victim, *second + "quninst");
    EXPECT_FALSE(files.CreatePrivateProgram(*second + "quninst", "other"));
    EXPECT_EQ(Sandbox::Read(victim), "keep");

    EXPECT_FALSE(files.RemoveFolder(*first)) << "not empty";
    EXPECT_TRUE(files.Remove(*first + "quninst"));
    EXPECT_TRUE(files.RemoveFolder(*first));
    EXPECT_FALSE(fs::exists(*first));
}
