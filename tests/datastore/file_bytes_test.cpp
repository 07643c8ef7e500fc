#include "datastore/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ReplaceFileBytesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("tapsody-file-bytes-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Folder(const std::string& name, fs::perms mode) const
    {
        fs::create_directory(folder_ / name);
        fs::permissions(folder_ / name, mode);
        return Path(name);
    }
    fs::perms PermissionsOf(const std::string& name) const { return fs::status(Path(name)).permissions(); }
    std::size_t EntriesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

} // namespace

TEST_F(ReplaceFileBytesTest, ReplacesTheContentsAndKeepsThePermissions)
{
    WriteFileBytes(Path("a.ini"), "old and longer");
    fs::permissions(Path("a.ini"), fs::perms::owner_read | fs::perms::owner_write);
    ReplaceFileBytes(Path("a.ini"), "new");
    EXPECT_EQ(ReadFileBytes(Path("a.ini")), "new");
    EXPECT_EQ(fs::status(Path("a.ini")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(EntriesInFolder(), 1u); // no temporary file left behind
}

TEST_F(ReplaceFileBytesTest, GivesANewFileTheRequestedPermissions)
{
    ReplaceFileBytes(Path("start.desktop"), "[Desktop Entry]\n", fs::perms(0755));
    EXPECT_EQ(fs::status(Path("start.desktop")).permissions(), fs::perms(0755));
}

TEST_F(ReplaceFileBytesTest, ReplacesTheFileALinkNamesAndKeepsTheLink)
{
    WriteFileBytes(Path("real.ini"), "old");
    fs::create_symlink(Path("real.ini"), Path("link.ini"));
    ReplaceFileBytes(Path("link.ini"), "new");
    EXPECT_TRUE(fs::is_symlink(Path("link.ini")));
    EXPECT_EQ(ReadFileBytes(Path("real.ini")), "new");
}

TEST_F(ReplaceFileBytesTest, FailsWithoutTouchingAnythingWhenTheFolderIsMissing)
{
    EXPECT_THROW(ReplaceFileBytes(Path("missing/a.ini"), "x"), fs::filesystem_error);
    EXPECT_EQ(EntriesInFolder(), 0u);
}

namespace {

constexpr uid_t kOtherUser = 54321;

// Only the superuser can hand a file to another user.
bool CanActAsAnotherUser()
{
    return ::geteuid() == 0;
}

// A process id that no process has now.
pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

class Umask {
public:
    explicit Umask(mode_t mask) : old_(::umask(mask)) {}
    ~Umask() { ::umask(old_); }

private:
    mode_t old_;
};

} // namespace

// In a folder where anyone may put entries, a link is never followed and a file
// of another user never replaced; a chain of links is looked at link by link.
TEST_F(ReplaceFileBytesTest, NeverWritesThroughAPlantedLinkOrOverAnotherUsersFile)
{
    if (!CanActAsAnotherUser())
        GTEST_SKIP() << "planting files of another user needs the superuser";
    const std::string shared = Folder("shared", fs::perms(01777));
    const std::string own = Folder("own", fs::perms(0700));
    const std::string profile = own + "/.profile";
    WriteFileBytes(profile, "victim");
    const auto plantLink = [](const std::string& link, const std::string& target, uid_t owner) {
        fs::create_symlink(target, link);
        ASSERT_EQ(::lchown(link.c_str(), owner, owner), 0);
    };
    const auto plantFile = [](const std::string& file, uid_t owner) {
        WriteFileBytes(file, "theirs");
        ASSERT_EQ(::chown(file.c_str(), owner, owner), 0);
    };
    plantLink(shared + "/Tapsodia.ini", profile, kOtherUser);
    plantLink(shared + "/own-link.ini", profile, ::geteuid());
    plantLink(own + "/first-hop.ini", shared + "/Tapsodia.ini", ::geteuid());
    plantFile(shared + "/theirs.ini", kOtherUser);
    plantFile(own + "/theirs.ini", kOtherUser);

    for (const std::string& name : {shared + "/Tapsodia.ini", shared + "/own-link.ini", own + "/first-hop.ini",
                                    shared + "/theirs.ini", own + "/theirs.ini"})
        EXPECT_THROW(ReplaceFileBytes(name, "rewritten"), fs::filesystem_error) << name;
    EXPECT_EQ(ReadFileBytes(profile), "victim");
    EXPECT_EQ(ReadFileBytes(shared + "/theirs.ini"), "theirs");
    EXPECT_EQ(ReadFileBytes(own + "/theirs.ini"), "theirs");
    EXPECT_TRUE(fs::is_symlink(shared + "/Tapsodia.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 3);
}

// New files follow the umask, kept ones lose the others' write bit, and in a
// shared folder the file is the user's alone.
TEST_F(ReplaceFileBytesTest, PermissionsFollowTheUmaskAndStayPrivateInASharedFolder)
{
    const std::string shared = Folder("shared", fs::perms(01777));
    struct Case {
        std::string name;
        mode_t umask;
        std::optional<fs::perms> requested;
        std::optional<fs::perms> old;
        fs::perms expected;
    };
    const std::vector<Case> cases = {
        {"plain.ini", 022, std::nullopt, std::nullopt, fs::perms(0644)},
        {"private.ini", 077, std::nullopt, std::nullopt, fs::perms(0600)},
        {"start.desktop", 077, fs::perms(0755), std::nullopt, fs::perms(0700)},
        {"open.ini", 022, std::nullopt, fs::perms(0666), fs::perms(0664)},
        {"shared/Tapsodia.ini", 022, std::nullopt, std::nullopt, fs::perms(0600)},
        {"shared/start.desktop", 022, fs::perms(0755), std::nullopt, fs::perms(0700)},
        {"shared/Tapsodia.log", 022, std::nullopt, fs::perms(0644), fs::perms(0600)},
    };
    for (const Case& test : cases) {
        const Umask mask(test.umask);
        if (test.old) {
            WriteFileBytes(Path(test.name), "old");
            fs::permissions(Path(test.name), *test.old);
        }
        ReplaceFileBytes(Path(test.name), "new", test.requested);
        EXPECT_EQ(PermissionsOf(test.name), test.expected) << test.name;
    }
}

// A write killed midway leaves its temporary file: the next write of that file
// removes those of ours whose writer has ended, and nothing else.
TEST_F(ReplaceFileBytesTest, RemovesTemporaryFilesThatEndedWritersLeftBehind)
{
    const std::string ended = std::to_string(EndedProcess());
    const std::string running = std::to_string(::getppid());
    const std::vector<std::string> kept = {"a.ini.tmp-" + running + "-0", "b.ini.tmp-" + ended + "-0",
                                           "a.ini.tmp-" + ended + "-x", "a.ini.tmp-" + ended, "a.ini.old"};
    for (const std::string& name : kept)
        WriteFileBytes(Path(name), "kept");
    WriteFileBytes(Path("a.ini.tmp-" + ended + "-3"), "half");
    if (CanActAsAnotherUser()) {
        WriteFileBytes(Path("a.ini.tmp-" + ended + "-4"), "theirs");
        ASSERT_EQ(::chown(Path("a.ini.tmp-" + ended + "-4").c_str(), kOtherUser, kOtherUser), 0);
    }

    ReplaceFileBytes(Path("a.ini"), "new");
    EXPECT_FALSE(fs::exists(Path("a.ini.tmp-" + ended + "-3")));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(Path(name))) << name;
    EXPECT_EQ(fs::exists(Path("a.ini.tmp-" + ended + "-4")), CanActAsAnotherUser());
    EXPECT_EQ(ReadFileBytes(Path("a.ini")), "new");
}
