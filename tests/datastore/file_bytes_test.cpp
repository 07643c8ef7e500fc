#include "datastore/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
