#include "fake_platform.h"
#include "services/program_files.h"
#include "services/program_record.h"
#include "services/shell_integration.h"
#include "services/system_log.h"
#include "services/window_placement.h"
#include "support/ini_file.h"

#include <gtest/gtest.h>

namespace {

class ServicesTest : public ::testing::Test {
protected:
    ServicesTest()
    {
        ProgInfo = TProgInfo{};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.SaveDir = "/home/anna/.config/";
        ProgInfo.ProgDir = "/opt/Tapsody/";
        fake.files.folders.insert({"/home/", "/home/anna/", "/home/anna/.config/", "/opt/", "/opt/Tapsody/"});
    }
    FakePlatform fake;
};

} // namespace

// --- Files and folders -------------------------------------------------------

TEST(NormalizeDir, TrimsAndEndsInASlashButKeepsTheCase)
{
    EXPECT_EQ(NormalizeDir("  /home/Anna/Briefe "), "/home/Anna/Briefe/");
    EXPECT_EQ(NormalizeDir("/home/"), "/home/");
    EXPECT_EQ(NormalizeDir("c:"), "c:");
    EXPECT_EQ(NormalizeDir("/"), "/");
    EXPECT_EQ(NormalizeDir("  c:/daten "), "C:/daten/");
    EXPECT_EQ(NormalizeDir("//server/share"), "//server/share/");
    EXPECT_EQ(NormalizeDir("briefe"), "briefe/");
}

TEST_F(ServicesTest, CarriesTheSettingsFileOverFromTheProgramFolderOnce)
{
    fake.files.files["/opt/Tapsody/Tapsodia.ini"] = "[Setup]\r\nPeep=1\r\n";
    EXPECT_EQ(SettingsFileName(), "/home/anna/.config/Tapsodia.ini");
    CarryOverSettingsFile();
    EXPECT_EQ(fake.files.files["/home/anna/.config/Tapsodia.ini"], "[Setup]\r\nPeep=1\r\n");
    EXPECT_TRUE(fake.files.files.contains("/opt/Tapsody/Tapsodia.ini"));

    fake.files.files["/home/anna/.config/Tapsodia.ini"] = "neu";
    fake.files.calls.clear();
    CarryOverSettingsFile();
    EXPECT_EQ(fake.files.files["/home/anna/.config/Tapsodia.ini"], "neu");
    EXPECT_TRUE(fake.files.calls.empty());
}

TEST_F(ServicesTest, CopiesNothingWhenTheSaveFolderIsTheProgramFolder)
{
    ProgInfo.SaveDir = "/OPT/tapsody/";
    fake.files.files["/opt/Tapsody/Tapsodia.ini"] = "x";
    CarryOverSettingsFile();
    EXPECT_TRUE(fake.files.calls.empty());
}

TEST_F(ServicesTest, AsksTheFileSystemForFoldersAndTheReadOnlyMark)
{
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(FolderExists("/opt/Tapsody"));
    EXPECT_FALSE(FolderExists("/opt/tapsody/"));
    fake.files.readOnly.insert("/opt/Tapsody/a.txt");
    EXPECT_TRUE(FileIsReadOnly("/opt/Tapsody/a.txt"));
    EXPECT_FALSE(FileIsReadOnly("/opt/Tapsody/b.txt"));
    fake.folders.temp = " /var/tmp";
    EXPECT_EQ(TempFolder(), "/var/tmp/");
}

// --- Shell integration -------------------------------------------------------

TEST_F(ServicesTest, ForceFolderCreatesEachMissingLevelAndIgnoresAFileName)
{
    EXPECT_TRUE(ForceFolder("/home/anna/a/b/brief.txt"));
    EXPECT_EQ(fake.files.calls, (std::vector<std::string>{"mkdir /home/anna/a", "mkdir /home/anna/a/b"}));
    EXPECT_TRUE(fake.files.folders.contains("/home/anna/a/b/"));
    EXPECT_FALSE(fake.files.folders.contains("/home/anna/a/b/brief.txt/"));

    fake.files.calls.clear();
    EXPECT_TRUE(ForceFolder("/home/anna/a/b/"));
    EXPECT_TRUE(fake.files.calls.empty());

    // A relative path begins with a level of its own.
    fake.files.folders.insert("");
    EXPECT_TRUE(ForceFolder("neu/x/"));
    EXPECT_EQ(fake.files.calls, (std::vector<std::string>{"mkdir neu", "mkdir neu/x"}));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ServicesTest, ForceFolderStopsAtTheFirstLevelItCannotCreate)
{
    fake.files.unwritableFolders.insert("/home/anna/");
    EXPECT_FALSE(ForceFolder("/home/anna/x/y/"));
    EXPECT_EQ(fake.files.calls, (std::vector<std::string>{"mkdir /home/anna/x"}));
    EXPECT_EQ(fake.messages.shown,
              (std::vector<std::string>{"show:Konnte das Verzeichnis %s nicht anlegen|/home/anna/x"}));
}

TEST_F(ServicesTest, ForceFolderLeavesTheServerOfANetworkPathAlone)
{
    EXPECT_FALSE(ForceFolder("//server/share/daten/"));
    EXPECT_EQ(fake.files.calls, (std::vector<std::string>{"mkdir //server/share"}));
    EXPECT_EQ(fake.messages.shown,
              (std::vector<std::string>{"show:Konnte das Verzeichnis %s nicht anlegen|//server/share"}));
}

TEST_F(ServicesTest, SpecialFolderLeavesTheResultWhenTheSystemHasNone)
{
    fake.folders.special[2] = "/home/anna/.local/share/applications/";
    std::string result = "vorher";
    SpecialFolder(16, result);
    EXPECT_EQ(result, "vorher");
    SpecialFolder(2, result);
    EXPECT_EQ(result, "/home/anna/.local/share/applications/");
}

TEST_F(ServicesTest, CreateWinLinkWantsALinkNameAndTrimsTheWorkFolder)
{
    ProgInfo.LogEnabled = true;
    EXPECT_TRUE(CreateWinLink("/opt/Tapsody/tapsody", "/home/anna/Desktop/Tapsody.LnK", "/opt/Tapsody/"));
    EXPECT_TRUE(CreateWinLink("/opt/Tapsody/tapsody", "/home/anna/Desktop/Tapsody.lnk", "/"));
    EXPECT_FALSE(CreateWinLink("/opt/Tapsody/tapsody", "/home/anna/Desktop/Tapsody.desktop", ""));
    EXPECT_EQ(fake.shell.calls,
              (std::vector<std::string>{"link|/opt/Tapsody/tapsody|/home/anna/Desktop/Tapsody.LnK|/opt/Tapsody",
                                        "link|/opt/Tapsody/tapsody|/home/anna/Desktop/Tapsody.lnk|/"}));
    EXPECT_EQ(fake.messages.shown, (std::vector<std::string>{"dlg1:CreateWinLink: Endung .LNK fehlt."}));
    EXPECT_EQ(fake.files.Lines("/home/anna/.config/Tapsodia.log"),
              (std::vector<std::string>{"CreateWinLink: Endung .LNK fehlt."}));

    fake.shell.linkResult = false; // a link that could not be written is no success
    EXPECT_FALSE(CreateWinLink("/x", "/nirgends/a.lnk", ""));
}

TEST_F(ServicesTest, ShellOpenStartsInTheFilesFolderAndTriesPlayBeforeComplaining)
{
    ShellOpen("/opt/Tap sody/mein prog", "-a b");
    ShellOpen("tapsody");
    ShellOpen("/wurzel");
    EXPECT_EQ(fake.shell.calls,
              (std::vector<std::string>{"open|mein prog|-a b|/opt/Tap sody", "open|tapsody||", "open|wurzel||/"}));
    EXPECT_TRUE(fake.messages.shown.empty());

    fake.shell.calls.clear();
    fake.shell.answers = {ShellNoAssociation, ShellStarted};
    ShellOpen("/home/anna/lied.wav");
    EXPECT_EQ(fake.shell.calls, (std::vector<std::string>{"open|lied.wav||/home/anna", "play|lied.wav||/home/anna"}));
    EXPECT_TRUE(fake.messages.shown.empty());

    fake.shell.answers = {ShellNoAssociation, ShellNoAssociation};
    ShellOpen("/home/anna/lied.xyz");
    fake.shell.answers = {ShellFileNotFound};
    ShellOpen("/home/anna/fehlt");
    EXPECT_EQ(fake.messages.shown,
              (std::vector<std::string>{"plain:Fehler: Es existiert keine Verkn\xFCpfung mit der Datei",
                                        "show:Datei nicht gefunden"}));
}

TEST_F(ServicesTest, ShellOpenDocumentHandsTheAddressOverWhole)
{
    fake.shell.answers = {ShellNoAssociation};
    ShellOpenDocument("mailto:info@tapsody.example?subject=Tapsody 1.7");
    EXPECT_EQ(fake.shell.calls, (std::vector<std::string>{"open|mailto:info@tapsody.example?subject=Tapsody 1.7||"}));
    EXPECT_EQ(fake.messages.shown.size(), 1u); // no second try for documents
}

TEST_F(ServicesTest, ShowShellErrorPicksTextAndBoxByCode)
{
    for (int code : {-1, 0, 2, 3, 5, 8, 11, 26, 27, 31, 32, 33, 42, 1, 4, 30})
        ShowShellError(code);
    EXPECT_EQ(fake.messages.shown, (std::vector<std::string>{
                                       "show:Datei nicht gefunden",
                                       "show:Pfad nicht gefunden",
                                       "show:Zugriff verweigert",
                                       "plain:Fehler: nicht genug freier Speicher zur Ausf\xFChrung des Programms",
                                       "plain:Fehler: Keine EXE-Datei",
                                       "plain:Fehler bei der Shareverwaltung",
                                       "plain:Fehler: Der Dateiname ist ung\xFCltig",
                                       "plain:Fehler: Es existiert keine Verkn\xFCpfung mit der Datei",
                                       "show:Eine DLL konnte nicht gefunden werden",
                                       "plain:Unbekannter Fehler: 1",
                                       "plain:Unbekannter Fehler: 4",
                                       "plain:Unbekannter Fehler: 30",
                                   }));
}

// --- Log and system facts ----------------------------------------------------

TEST_F(ServicesTest, TheLogIsNamedAfterTheShortName)
{
    EXPECT_EQ(LogFileName(), "/home/anna/.config/Tapsodia.log");
    ProgInfo.ShortName = "ABC";
    EXPECT_EQ(LogFileName(), "/home/anna/.config/Abc.log");
    ProgInfo.ShortName = "tapsodia";
    EXPECT_EQ(LogFileName(), "/home/anna/.config/tapsodia.log");
}

TEST_F(ServicesTest, LogLineWritesOnlyWhileTheLogIsOn)
{
    fake.files.files["/home/anna/.config/Tapsodia.log"] = "alt\r\n";
    LogLine("Main");
    EXPECT_EQ(fake.files.files["/home/anna/.config/Tapsodia.log"], "alt\r\n");
    ProgInfo.LogEnabled = true;
    LogLine("Main");
    LogLine("Key:65");
    EXPECT_EQ(fake.files.files["/home/anna/.config/Tapsodia.log"], "alt\r\nMain\r\nKey:65\r\n");
}

TEST_F(ServicesTest, ALogThatCannotBeWrittenStopsQuietly)
{
    ProgInfo.LogEnabled = true;
    fake.files.unwritableFolders.insert("/home/anna/.config/");
    LogLine("Main");
    EXPECT_FALSE(ProgInfo.LogEnabled);
    EXPECT_TRUE(fake.messages.shown.empty());
    fake.files.unwritableFolders.clear();
    LogLine("Info");
    EXPECT_FALSE(fake.files.files.contains("/home/anna/.config/Tapsodia.log"));
}

TEST_F(ServicesTest, ReportErrorLogsAndShowsOnlyNegativeCodes)
{
    ProgInfo.LogEnabled = true;
    ReportError(0, "");
    ReportError(-5, "");
    ReportError(7, "Datei %s fehlt|a.txt");
    EXPECT_EQ(fake.files.Lines("/home/anna/.config/Tapsodia.log"),
              (std::vector<std::string>{"Ok.", "Allgemeiner Fehler. Nr. -5.", "Datei a.txt fehlt."}));
    EXPECT_EQ(fake.messages.shown, (std::vector<std::string>{"dlg1:Allgemeiner Fehler. Nr. -5."}));
}

TEST(OSName, NamesWindowsByTheTableAndLinuxByKernelAndDistribution)
{
    using F = OsFamily;
    EXPECT_EQ(OSNameOf(OsVersion{F::Windows9x, 4, 0, "", ""}), "Win 95");
    EXPECT_EQ(OSNameOf(OsVersion{F::Windows9x, 4, 10, " A ", ""}), "Win 98 SE");
    EXPECT_EQ(OSNameOf(OsVersion{F::Windows9x, 4, 10, "", ""}), "Win 98");
    EXPECT_EQ(OSNameOf(OsVersion{F::Windows9x, 4, 90, "", ""}), "Win ME");
    EXPECT_EQ(OSNameOf(OsVersion{F::WindowsNT, 4, 0, "", ""}), "Win NT");
    EXPECT_EQ(OSNameOf(OsVersion{F::WindowsNT, 5, 0, "", ""}), "Win 2000/NT 5");
    EXPECT_EQ(OSNameOf(OsVersion{F::WindowsNT, 5, 1, "", ""}), "Win XP");
    EXPECT_EQ(OSNameOf(OsVersion{F::WindowsNT, 10, 0, "", ""}), "Win 10.0");
    EXPECT_EQ(OSNameOf(OsVersion{F::Linux, 6, 1, "", "Debian GNU/Linux 12 (bookworm)"}),
              "Linux 6.1 (Debian GNU/Linux 12 (bookworm))");
    EXPECT_EQ(OSNameOf(OsVersion{F::Linux, 5, 15, "", ""}), "Linux 5.15");
    EXPECT_EQ(OSNameOf(std::nullopt), "unbekannt");
}

TEST(ScreenInfo, GroupsDigitsAndShowsTheRateOnlyWhenKnown)
{
    EXPECT_EQ(ScreenInfoOf({1024, 768, 32, 60}), "1.024 x 768 32bit  60 Hz");
    EXPECT_EQ(ScreenInfoOf({2560, 1440, 24, 0}), "2.560 x 1.440 24bit");
}

TEST_F(ServicesTest, MachineFactsFallBackToADash)
{
    EXPECT_EQ(ComputerNameStr(), "WERKBANK");
    fake.systemInfo.computer.clear();
    fake.systemInfo.user.clear();
    EXPECT_EQ(ComputerNameStr(), "-");
    EXPECT_EQ(UserNameStr(), "-");
    EXPECT_EQ(MemorySize(true), 16'000'000'000u);
    EXPECT_EQ(MemorySize(false), 4'000'000'000u);
    EXPECT_EQ(CpuSpeedMHz(), 2394);
}

TEST_F(ServicesTest, DrivesAreTheFileSystemsHoldingAPath)
{
    fake.systemInfo.drives = {{"/", DriveKind::Fixed, "System", "/dev/sda1"},
                              {"/media/stick/", DriveKind::Removable, "USB STICK", "/dev/sdb1"}};
    EXPECT_EQ(DriveTypeOf("/media/stick/fotos/"), 2);
    EXPECT_EQ(VolumeLabel("/media/stick/fotos/"), "USB STICK");
    EXPECT_EQ(DriveTypeOf("/home/"), 3);
    EXPECT_EQ(DriveTypeOf(""), 1);
    EXPECT_EQ(VolumeLabel(""), "");
}

// --- Window placement ----------------------------------------------------------

TEST(WindowPlacement, StoresSizeOnlyForResizableMainWindows)
{
    EXPECT_TRUE(StoresWindowSize(true, false));
    EXPECT_FALSE(StoresWindowSize(true, true));
    EXPECT_FALSE(StoresWindowSize(false, false));
    EXPECT_EQ(PlacementSection("", "Mainform"), "FensterMainform");
    EXPECT_EQ(PlacementSection("Alt", "Mainform"), "Alt_FensterMainform");
}

TEST(WindowPlacement, WritesAndReadsTheFourKeys)
{
    tinifile2 settings("");
    WritePlacement(settings, "FensterMainform", {10, 20, 889, 238}, true);
    WritePlacement(settings, "FensterDirDialog", {30, 40, 600, 400}, false);
    EXPECT_EQ(settings.Lines(),
              (std::vector<std::string>{"[FensterMainform]", "VonOben=20", "Links=10", "Hoehe=238", "Breite=889", "",
                                        "[FensterDirDialog]", "VonOben=40", "Links=30"}));
    const std::vector<TRect> screens{{0, 0, 1920, 1080}};
    const WindowGeometry designed{0, 0, 100, 50};
    const WindowGeometry main = ReadPlacement(settings, "FensterMainform", designed, true, screens);
    EXPECT_EQ(main.left, 10);
    EXPECT_EQ(main.top, 20);
    EXPECT_EQ(main.width, 889);
    EXPECT_EQ(main.height, 238);
    const WindowGeometry dialog = ReadPlacement(settings, "FensterDirDialog", designed, false, screens);
    EXPECT_EQ(dialog.left, 30);
    EXPECT_EQ(dialog.width, 100); // the designed size stays
    const WindowGeometry absent = ReadPlacement(settings, "FensterInfoform", {5, 6, 7, 8}, true, screens);
    EXPECT_EQ(absent.left, 5);
    EXPECT_EQ(absent.height, 8);
}

TEST(WindowPlacement, IgnoresValuesBeyondTheIntegerRange)
{
    tinifile2 settings("");
    settings.WriteString("FensterMainform", "Links", "99999999999");
    settings.WriteString("FensterMainform", "VonOben", "-99999999999");
    const WindowGeometry read = ReadPlacement(settings, "FensterMainform", {5, 6, 7, 8}, true, {});
    EXPECT_EQ(read.left, 5);
    EXPECT_EQ(read.top, 6);
}

TEST(WindowPlacement, BringsAWindowOffEveryScreenBackToTheNearest)
{
    const std::vector<TRect> screens{{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
    auto place = [&](std::int32_t left, std::int32_t top, std::int32_t width = 400, std::int32_t height = 200) {
        const WindowGeometry g = KeepOnScreen({left, top, width, height}, screens);
        return std::vector<std::int32_t>{g.left, g.top, g.width, g.height};
    };
    EXPECT_EQ(place(100, 100), (std::vector<std::int32_t>{100, 100, 400, 200}));   // on screen
    EXPECT_EQ(place(3000, 900), (std::vector<std::int32_t>{3000, 900, 400, 200})); // partly on the second
    EXPECT_EQ(place(5000, 300), (std::vector<std::int32_t>{2800, 300, 400, 200})); // a monitor that is gone
    EXPECT_EQ(place(-2000, -900), (std::vector<std::int32_t>{0, 0, 400, 200}));
    EXPECT_EQ(place(100, 1075), (std::vector<std::int32_t>{100, 880, 400, 200})); // 5 pixels are too few to grab
    EXPECT_EQ(place(9000, 0, 4000, 2000), (std::vector<std::int32_t>{1920, 0, 4000, 2000}));
    EXPECT_EQ(KeepOnScreen({5000, 5000, 10, 10}, {}).left, 5000); // no screens known: no check
}

TEST(WindowPlacement, FitsAWindowWhollyOntoTheNearestScreen)
{
    const std::vector<TRect> screens{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
    auto fit = [&](std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
        const WindowGeometry g = FitOnNearestScreen({left, top, width, height}, screens);
        return std::pair{g.left, g.top};
    };
    EXPECT_EQ(fit(5000, 5000, 891, 259), (std::pair{2560 - 891, 1024 - 259}));
    EXPECT_EQ(fit(391, 786, 891, 259), (std::pair{389, 765})); // a frame larger than the window it was placed as
    EXPECT_EQ(fit(1000, 10, 400, 200), (std::pair{880, 10}));  // its centre is on the first screen
    EXPECT_EQ(fit(-50, -50, 1400, 200), (std::pair{0, 0}));    // too wide: its left edge shows
}
