#include "support/ini_file.h"

#include "datastore/lzh_codec.h"
#include "support/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Limits the size of files this process writes, so that a write fails even for
// root; the signal for exceeding it is ignored, leaving the error EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

class RecordingMessages final : public MessageService {
public:
    struct Dialog {
        std::string message;
        std::uint8_t type;
        std::uint16_t buttons;
    };
    std::vector<Dialog> dialogs;

    std::uint16_t MessageDlg(const std::string& message, std::uint8_t type, std::uint16_t buttons, int) override
    {
        dialogs.push_back({message, type, buttons});
        return mrOk;
    }
    void ShowMessage(const std::string& message) override { dialogs.push_back({message, 255, 0}); }
    void PlainMessage(const std::string& text) override { dialogs.push_back({text, 255, 0}); }
};

// Each test works in a folder of its own and records the dialogs shown.
class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("tapsody_ini_" + std::to_string(::getpid()) + "_" + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        previous_ = SetMessageService(&messages_);
    }
    void TearDown() override
    {
        SetMessageService(previous_);
        std::error_code error;
        fs::permissions(Path(), fs::perms::owner_all, error);
        fs::remove_all(folder_);
    }

    fs::path Path() const { return folder_ / "test.ini"; }
    std::string Name() const { return Path().string(); }

    void Store(const std::string& bytes) const { std::ofstream(Path(), std::ios::binary) << bytes; }
    std::string Stored() const
    {
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<fs::path> FolderContents() const { return {fs::directory_iterator(folder_), fs::directory_iterator()}; }

    // Writes one value into the stored file and gives the file afterwards.
    std::string AfterWrite(const std::string& before, const std::string& section, const std::string& key,
                           const std::string& value)
    {
        Store(before);
        {
            tinifile2 ini(Name());
            ini.WriteString(section, key, value);
        }
        return Stored();
    }

    fs::path folder_;
    RecordingMessages messages_;
    MessageService* previous_ = nullptr;
};

const std::string kLayout = "[All]\r\nBreite=889\r\nHoehe=238\r\n\r\n[Esc]\r\nEnabled=1\r\nTyp=0\r\n";

// A stored-data block that declares 1000 bytes but ends after two.
const std::string kDamagedBlock = std::string("\xFE\xE8\x03\0\0\0\0\0\0\x12\x34", 11);

} // namespace

TEST_F(IniFileTest, WritesANewSectionAfterExactlyOneEmptyLine)
{
    EXPECT_EQ(AfterWrite("[A]\r\nx=1\r\n", "Setup", "Peep", "1"), "[A]\r\nx=1\r\n\r\n[Setup]\r\nPeep=1\r\n");
    EXPECT_EQ(AfterWrite("[A]\r\nx=1\r\n\r\n", "Setup", "Peep", "1"), "[A]\r\nx=1\r\n\r\n[Setup]\r\nPeep=1\r\n");
    EXPECT_EQ(AfterWrite("", "Setup", "Peep", "1"), "[Setup]\r\nPeep=1\r\n");
}

TEST_F(IniFileTest, ReplacesAnEntryInAnyCaseWithTheCallersKey)
{
    EXPECT_EQ(AfterWrite("[Setup]\r\nPeep=1\r\nendefragen=0\r\n", "setup", "peep", "0"),
              "[Setup]\r\npeep=0\r\nendefragen=0\r\n");
    // Upper-casing follows the code page, so umlauts match their capitals.
    EXPECT_EQ(AfterWrite("[Gr\xF6\xDF"
                         "e]\r\n\xFC"
                         "ber=1\r\n",
                         "GR\xD6\xDF"
                         "E",
                         "\xDC"
                         "BER",
                         "2"),
              "[Gr\xF6\xDF"
              "e]\r\n\xDC"
              "BER=2\r\n");
}

TEST_F(IniFileTest, InsertsANewKeyBeforeTheEmptyLineThatEndsTheSection)
{
    EXPECT_EQ(AfterWrite(kLayout, "All", "Vorgabe", "1"),
              "[All]\r\nBreite=889\r\nHoehe=238\r\nVorgabe=1\r\n\r\n[Esc]\r\nEnabled=1\r\nTyp=0\r\n");
    EXPECT_EQ(AfterWrite(kLayout, "esc", "p0x", "12"),
              "[All]\r\nBreite=889\r\nHoehe=238\r\n\r\n[Esc]\r\nEnabled=1\r\nTyp=0\r\np0x=12\r\n");
}

TEST_F(IniFileTest, ReadsValuesAsTheyStand)
{
    Store("[S]\r\nleer=\r\nnull=0\r\neins=1\r\nformel=a=b\r\nraum= x \r\nk =1\r\nohne\r\n");
    tinifile2 ini(Name());
    EXPECT_EQ(ini.ReadString("S", "leer", "d"), "");
    EXPECT_EQ(ini.ReadString("s", "FORMEL", "d"), "a=b");
    EXPECT_EQ(ini.ReadString("S", "raum", "d"), " x ");
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "d"); // the space belongs to the key
    EXPECT_EQ(ini.ReadString("S", "k ", "d"), "1");
    EXPECT_EQ(ini.ReadString("S", "ohne", "d"), "d");
    EXPECT_EQ(ini.ReadString("S", "fehlt", "d"), "d");
    EXPECT_EQ(ini.ReadString("Fehlt", "leer", "d"), "d");
}

TEST_F(IniFileTest, ReadsBooleansAndIntegers)
{
    Store("[S]\r\nleer=\r\nnull=0\r\nzwei=00\r\nzahl=1.234,9\r\nminus=-17\r\nwort=abc\r\n");
    tinifile2 ini(Name());
    EXPECT_TRUE(ini.ReadBool("S", "leer", false)); // only exactly "0" is false
    EXPECT_FALSE(ini.ReadBool("S", "null", true));
    EXPECT_TRUE(ini.ReadBool("S", "zwei", false));
    EXPECT_TRUE(ini.ReadBool("S", "fehlt", true));
    EXPECT_FALSE(ini.ReadBool("S", "fehlt", false));
    EXPECT_EQ(ini.ReadInteger("S", "zahl", 5), 1234);
    EXPECT_EQ(ini.ReadInteger("S", "minus", 5), -17);
    EXPECT_EQ(ini.ReadInteger("S", "wort", 5), 0);
    EXPECT_EQ(ini.ReadInteger("S", "fehlt", -9876543210), -9876543210);
}

TEST_F(IniFileTest, WritesBooleansAndIntegersInDecimal)
{
    {
        tinifile2 ini(Name());
        ini.WriteBool("S", "an", true);
        ini.WriteBool("S", "aus", false);
        ini.WriteInteger("S", "zahl", -9876543210);
    }
    EXPECT_EQ(Stored(), "[S]\r\nan=1\r\naus=0\r\nzahl=-9876543210\r\n");
}

TEST_F(IniFileTest, MatchesOnlyWholeHeaderLines)
{
    Store("[A] \r\nx=1\r\n\r\n [B]\r\ny=2\r\n\r\n[C]\r\nz=3\r\n");
    tinifile2 ini(Name());
    EXPECT_EQ(ini.ReadString("A", "x", "-"), "-");
    EXPECT_EQ(ini.ReadString("B", "y", "-"), "-");
    EXPECT_EQ(ini.ReadString("c", "z", "-"), "3");
}

TEST_F(IniFileTest, EndsASectionOnlyAtAnEmptyLine)
{
    Store("[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    tinifile2 ini(Name());
    EXPECT_EQ(ini.ReadString("A", "y", "-"), "2");
    EXPECT_EQ(ini.ReadString("B", "x", "-"), "-");
}

TEST_F(IniFileTest, FindsSectionsInAnyOrder)
{
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "[S" + std::to_string(i) + "]\r\nwert=" + std::to_string(i * 11) + "\r\n\r\n";
    Store(text);
    tinifile2 ini(Name());
    for (const int i : {7, 2, 9, 0, 5, 5, 4, 8, 1, 3, 6, 0, 9})
        EXPECT_EQ(ini.ReadInteger("s" + std::to_string(i), "WERT", -1), i * 11) << i;
    // The section found last is found again when asked for in another letter case.
    EXPECT_EQ(ini.ReadString("S9", "wert", "-"), "99");
    EXPECT_EQ(ini.ReadString("s9", "wert", "-"), "99");
    // A section created by a write is found again, before and after others were searched.
    ini.WriteString("Neu", "k", "v");
    EXPECT_EQ(ini.ReadString("S3", "wert", "-"), "33");
    EXPECT_EQ(ini.ReadString("NEU", "k", "-"), "v");
    EXPECT_EQ(ini.ReadString("Fehlt", "k", "-"), "-");
    EXPECT_EQ(ini.ReadString("S0", "wert", "-"), "0");
}

TEST_F(IniFileTest, AcceptsEveryLineBreakAndWritesCrLf)
{
    Store("[A]\nx=1\r[B]\r\ny=2\n");
    tinifile2 ini(Name());
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[A]", "x=1", "[B]", "y=2"}));
    ini.WriteString("B", "y", "3");
    ini.UpdateFile();
    EXPECT_EQ(Stored(), "[A]\r\nx=1\r\n[B]\r\ny=3\r\n");
}

TEST_F(IniFileTest, WritesTheFileOnlyAfterAWrite)
{
    Store("[A]\nx=1\n");
    {
        tinifile2 ini(Name());
        EXPECT_TRUE(ini.Valid());
        EXPECT_EQ(ini.ReadString("A", "x", "-"), "1");
    }
    EXPECT_EQ(Stored(), "[A]\nx=1\n");
    {
        tinifile2 ini(Name());
        ini.WriteString("A", "x", "1"); // the same value still counts as a change
        EXPECT_TRUE(ini.Modified());
    }
    EXPECT_EQ(Stored(), "[A]\r\nx=1\r\n");
}

TEST_F(IniFileTest, StartsEmptyForAMissingFileAndCreatesIt)
{
    tinifile2 ini(Name());
    EXPECT_TRUE(ini.Lines().empty());
    EXPECT_EQ(ini.ReadString("A", "x", "d"), "d");
    ini.WriteString("A", "x", "1");
    ini.UpdateFile();
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(Stored(), "[A]\r\nx=1\r\n");
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{Path()}); // no temporary file is left behind
}

TEST_F(IniFileTest, NeverWritesWithoutAFileName)
{
    tinifile2 ini("");
    ini.AddStrings({"[All]", "Breite=889", "", "[Esc]", "Typ=0"});
    EXPECT_EQ(ini.ReadInteger("all", "breite", 0), 889);
    EXPECT_EQ(ini.ReadInteger("Esc", "Typ", 7), 0);
    ini.WriteString("Esc", "Typ", "2");
    EXPECT_TRUE(ini.Modified());
    ini.UpdateFile();
    EXPECT_FALSE(ini.Modified());
    EXPECT_TRUE(FolderContents().empty());
    EXPECT_TRUE(messages_.dialogs.empty());
}

TEST_F(IniFileTest, TurnsTheFileNameIntoUtf8)
{
    const std::string ansiName = (folder_ / "Tastatur-\xE4.ini").string(); // Tastatur-ä.ini
    {
        tinifile2 ini(ansiName);
        ini.WriteString("A", "x", "1");
    }
    EXPECT_TRUE(fs::exists(folder_ / "Tastatur-\xC3\xA4.ini"));
    tinifile2 again(ansiName);
    EXPECT_EQ(again.ReadString("A", "x", "-"), "1");
}

TEST_F(IniFileTest, RefusesToWriteAReadOnlyFile)
{
    Store("[A]\r\nx=1\r\n");
    fs::permissions(Path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    {
        tinifile2 ini(Name());
        ini.WriteString("A", "x", "2");
        ini.UpdateFile();
        EXPECT_TRUE(ini.Modified());
        EXPECT_EQ(ini.ReadString("A", "x", "-"), "2");
    } // releasing it tries once more
    EXPECT_EQ(Stored(), "[A]\r\nx=1\r\n");
    ASSERT_EQ(messages_.dialogs.size(), 2u);
    for (const auto& dialog : messages_.dialogs) {
        EXPECT_EQ(dialog.message, "Die Datei %s ist schreibgesch\xFCtzt. Nicht gespeichert.|" + Name());
        EXPECT_EQ(dialog.type, mtWarning);
        EXPECT_EQ(dialog.buttons, mbOK);
    }
}

TEST_F(IniFileTest, KeepsThePermissionsOfTheFileItReplaces)
{
    Store("[A]\r\nx=1\r\n");
    fs::permissions(Path(), fs::perms::owner_read | fs::perms::owner_write);
    {
        tinifile2 ini(Name());
        ini.WriteString("A", "x", "2");
    }
    EXPECT_EQ(fs::status(Path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFileTest, LeavesTheOldFileWholeWhenTheNewOneCannotBeWritten)
{
    Store("[A]\r\nx=1\r\n");
    tinifile2 ini(Name());
    ini.WriteString("A", "x", "2");
    {
        FileSizeLimit limit(4); // the new file cannot be written whole
        EXPECT_THROW(ini.UpdateFile(), fs::filesystem_error);
    }
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(Stored(), "[A]\r\nx=1\r\n");
}

TEST_F(IniFileTest, ThrowsWriteErrorsAndReportsThemOnRelease)
{
    const std::string name = (folder_ / "fehlt" / "test.ini").string();
    {
        tinifile2 ini(name);
        ini.WriteString("A", "x", "1");
        EXPECT_THROW(ini.UpdateFile(), fs::filesystem_error);
        EXPECT_TRUE(messages_.dialogs.empty());
    }
    ASSERT_EQ(messages_.dialogs.size(), 1u);
    EXPECT_EQ(messages_.dialogs[0].message, "Die Datei %s konnte nicht gespeichert werden.|" + name);
    EXPECT_EQ(messages_.dialogs[0].type, mtError);
}

TEST_F(IniFileTest, ReadsAndWritesTheCompressedForm)
{
    const std::string text = kLayout;
    Store("ZUK" + LzhEncodeBytes(text));
    {
        tinifile2 ini(Name());
        EXPECT_TRUE(ini.Compressed());
        EXPECT_EQ(ini.ReadInteger("All", "Breite", 0), 889);
        ini.WriteBool("Esc", "Enabled", false);
    }
    const std::string stored = Stored();
    ASSERT_EQ(stored.substr(0, 3), "ZUK");
    EXPECT_EQ(LzhDecodeBytes(stored.substr(3)),
              "[All]\r\nBreite=889\r\nHoehe=238\r\n\r\n[Esc]\r\nEnabled=0\r\nTyp=0\r\n");
}

TEST_F(IniFileTest, KeepsATinyCompressedTextInPlainForm)
{
    Store("ZUK");
    tinifile2 ini(Name());
    EXPECT_TRUE(ini.Compressed());
    EXPECT_TRUE(ini.Lines().empty());
    ini.AddStrings({"a"});
    ini.UpdateFile();
    EXPECT_EQ(Stored(), "a\r\n");
    tinifile2 again(Name());
    EXPECT_EQ(again.Lines(), std::vector<std::string>{"a"});
}

TEST_F(IniFileTest, NeverWritesOverACompressedFileItCouldNotDecode)
{
    ASSERT_THROW(LzhDecodeBytes(kDamagedBlock), ElzhException);
    const std::string damaged = "ZUK" + kDamagedBlock;
    Store(damaged);
    {
        tinifile2 ini(Name());
        EXPECT_TRUE(ini.Unreadable());
        EXPECT_TRUE(ini.Lines().empty());
        ini.WriteString("A", "x", "1");
        ini.UpdateFile();
        EXPECT_TRUE(ini.Modified());
    }
    EXPECT_EQ(Stored(), damaged);
    ASSERT_EQ(messages_.dialogs.size(), 1u);
    EXPECT_EQ(messages_.dialogs[0].message,
              "Die Datei %s konnte nicht gelesen werden. \xC4nderungen werden nicht gespeichert.|" + Name());
    EXPECT_EQ(messages_.dialogs[0].type, mtWarning);
    EXPECT_EQ(messages_.dialogs[0].buttons, mbOK);
}

TEST_F(IniFileTest, NeverWritesOverSomethingThatIsNoFile)
{
    fs::create_directory(Path());
    {
        tinifile2 ini(Name());
        EXPECT_TRUE(ini.Unreadable());
        ini.WriteString("A", "x", "1");
    }
    EXPECT_TRUE(fs::is_directory(Path()));
    EXPECT_EQ(messages_.dialogs.size(), 1u);
}
