#include "fake_platform.h"
#include "setup/dir_icons.h"
#include "setup/dir_places.h"
#include "setup/dir_view.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(DirIconsTest, FilesTakeTheIconOfTheirExtensionAndFoldersAlwaysTheFolder)
{
    const struct {
        const char* name;
        bool folder;
        int icon;
    } cases[] = {
        {"urlaub.JPEG", false, 13},  {"urlaub.jpeg", false, 13},    {"bild.Jpe", false, 13},
        {"archiv.tar", false, 10},   {"archiv.tar.zip", false, 18}, {"README", false, 10},
        {"punkt.", false, 10},       {"sicherung.zip", true, 0},    {"index.html", false, 11},
        {"lied.669", false, 15},     {"film.rm", false, 16},        {"setup.exe", false, 17},
        {"tapsodia.ini", false, 21}, {"brief.body", false, 22},     {"treiber.SYS", false, 23},
        {"x.reg", false, 20},        {"tabelle.xlt", false, 26},    {"handbuch.pdf", false, 27},
        {"a.h tm", false, 10},       {"brief.dot", false, 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IconOfEntry(c.name, c.folder), c.icon) << c.name;
    EXPECT_EQ(IconOfDrive(DriveKind::Removable), 31);
    EXPECT_EQ(IconOfDrive(DriveKind::Fixed), 32);
    EXPECT_EQ(IconOfDrive(DriveKind::Optical), 33);
    EXPECT_EQ(IconOfDrive(DriveKind::Network), 34);
    EXPECT_EQ(IconOfDrive(DriveKind::RamDisk), 35);
    EXPECT_EQ(IconOfDrive(DriveKind::Unknown), 1);
}

TEST(DirPlacesTest, TheDriveListStartsWithHomeAndRootAndNamesEachDrive)
{
    const std::vector<DriveInfo> drives{
        {"/", DriveKind::Fixed, "System", "/dev/sda1"},
        {"/home/anna/", DriveKind::Fixed, "Daten", "/dev/sda3"},
        {"/media/anna/USB-STICK/", DriveKind::Removable, "USB-STICK", "/dev/sdb1"},
        {"/mnt/nas/", DriveKind::Network, "", "nas:/export"},
        {"/media/anna/cd/", DriveKind::Optical, "", "/dev/sr0"},
        {"/tmp/", DriveKind::RamDisk, "", "tmpfs"},
    };
    std::vector<std::string> shown;
    for (const DrivePlace& place : DrivePlaces("/home/anna/", "anna", drives))
        shown.push_back(place.root + " | " + place.caption + " | " + std::to_string(place.icon));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "/home/anna/ | ~: anna | 32",
                         "/ | /: System | 32",
                         "/media/anna/USB-STICK/ | /media/anna/USB-STICK: USB-STICK | 31",
                         "/mnt/nas/ | /mnt/nas: nas:/export | 34",
                         "/media/anna/cd/ | /media/anna/cd: CD-Rom | 33",
                         "/tmp/ | /tmp | 35",
                     }));
    // Without a drive at "/" the root is still there.
    EXPECT_EQ(DrivePlaces("/", "", {}).size(), 1u);
}

TEST(DirPlacesTest, ADriveRootIsThePlaceAboveOrWhereAMediumWouldBeMounted)
{
    const std::vector<DrivePlace> places =
        DrivePlaces("/home/anna/", "anna", {{"/mnt/nas/", DriveKind::Network, "", "nas:/export"}});
    const struct {
        const char* folder;
        const char* root;
    } cases[] = {
        {"/home/anna/", "/home/anna/"},
        {"/home/anna/a/b/", "/home/anna/"},
        {"/home/bob/", "/"},
        {"/", "/"},
        {"/mnt/nas/x/", "/mnt/nas/"},
        {"/mnt/usb/x/", "/mnt/usb/"},
        {"/media/anna/STICK/a/", "/media/anna/STICK/"},
        {"/media/STICK/a/", "/media/STICK/"},
        {"/media/anna/", "/"},
        {"/run/media/anna/STICK/", "/run/media/anna/STICK/"},
        {"/run/user/1000/", "/"},
        {"relativ/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DriveRootOf(c.folder, places, "anna"), c.root) << c.folder;
}

TEST(DirPlacesTest, FoldersAreNormalised)
{
    EXPECT_EQ(NormalFolder("/home/anna"), "/home/anna/");
    EXPECT_EQ(NormalFolder("//home/./anna/../bob//"), "/home/bob/");
    EXPECT_EQ(NormalFolder("/../.."), "/");
    EXPECT_EQ(NormalFolder("x"), "x/");
    EXPECT_EQ(NormalFolder(""), "");
}

// Answers the message boxes in turn (Cancel when no answer is left), running
// a step before each answer, such as a medium being plugged in.
class ScriptedMessages final : public MessageService {
public:
    std::vector<std::string> shown;
    std::vector<std::uint16_t> answers;
    std::function<void()> beforeAnswer;

    std::uint16_t MessageDlg(const std::string& message, std::uint8_t, std::uint16_t buttons, int) override
    {
        shown.push_back(message + (buttons == (mbRetry | mbCancel) ? " [Retry Cancel]" : ""));
        if (beforeAnswer)
            beforeAnswer();
        const std::size_t asked = shown.size() - 1;
        return asked < answers.size() ? answers[asked] : std::uint16_t{mrCancel};
    }
    void ShowMessage(const std::string& message) override { shown.push_back(message); }
    void PlainMessage(const std::string& text) override { shown.push_back(text); }
};

class DirViewTest : public ::testing::Test {
protected:
    DirViewTest()
    {
        previous_ = SetMessageService(&messages);
        for (const char* folder : {"/", "/home/", "/home/anna/", "/home/anna/Alpha/", "/home/anna/beta/",
                                   "/home/anna/Beta2/", "/home/anna/.versteckt/", "/opt/", "/opt/A/"})
            fake.files.folders.insert(folder);
        fake.files.files["/home/anna/notiz.txt"] = "";
        fake.files.files["/home/anna/Bild.JPG"] = "";
        fake.systemInfo.drives.push_back({"/media/anna/STICK/", DriveKind::Removable, "STICK", "/dev/sdb1"});
    }
    ~DirViewTest() override { SetMessageService(previous_); }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const DirItem& item : view.Items())
            captions.push_back(item.caption);
        return captions;
    }
    std::string SelectedCaption() const
    {
        return view.Selected() < 0 ? "(none)" : view.Items()[static_cast<std::size_t>(view.Selected())].caption;
    }
    void Open(const std::string& start)
    {
        view.currentPath = start;
        caption = view.Show();
    }
    void SelectNamed(const std::string& name)
    {
        for (std::size_t i = 0; i < view.Items().size(); ++i)
            if (view.Items()[i].caption == name)
                view.Select(static_cast<int>(i));
    }

    FakePlatform fake;
    ScriptedMessages messages;
    DirView view{fake.files, fake.folders, fake.systemInfo};
    std::string caption;

private:
    MessageService* previous_;
};

TEST_F(DirViewTest, WalksIntoFoldersUpAgainAndBackToTheDrives)
{
    Open("");
    EXPECT_EQ(caption, "Verzeichnis w\xE4hlen...");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"~: anna", "/: System", "/media/anna/STICK: STICK"}));
    EXPECT_EQ(SelectedCaption(), "~: anna");
    EXPECT_EQ(view.Label(), "/home/anna/");
    EXPECT_TRUE(view.OkEnabled());
    EXPECT_FALSE(view.NewFolderEnabled());

    view.Select(1);
    EXPECT_EQ(view.Label(), "/");
    view.Activate();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"..", "home", "opt"}));
    SelectNamed("opt");
    EXPECT_EQ(view.Label(), "/opt/");
    view.Activate();
    SelectNamed("A");
    view.Activate();
    EXPECT_EQ(view.currentPath, "/opt/A/");
    EXPECT_EQ(view.Label(), "/opt/A/");
    EXPECT_TRUE(view.NewFolderEnabled());

    view.Activate(); // ".." below a drive root: the folder left is selected again
    EXPECT_EQ(view.currentPath, "/opt/");
    EXPECT_EQ(SelectedCaption(), "A");
    view.Select(0);
    view.Activate();
    EXPECT_EQ(SelectedCaption(), "opt");
    view.Select(0);
    view.Activate(); // ".." at a drive root: the drive list with that drive selected
    EXPECT_TRUE(view.ShowsDrives());
    EXPECT_EQ(SelectedCaption(), "/: System");

    view.Select(0);
    view.Activate();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"..", "Alpha", "beta", "Beta2"}));
    view.Activate();
    EXPECT_EQ(SelectedCaption(), "~: anna"); // the home folder is a drive root of its own

    view.Activate();
    SelectNamed("beta");
    view.Activate();
    view.BackToDrives();
    EXPECT_EQ(SelectedCaption(), "~: anna");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DirViewTest, FileModeListsFilesAfterTheFoldersAndAFileConfirms)
{
    view.modeText = "Datei";
    Open("/home/anna/");
    EXPECT_EQ(caption, "Datei w\xE4hlen...");
    EXPECT_TRUE(view.FileMode());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"..", "Alpha", "beta", "Beta2", "Bild.JPG", "notiz.txt"}));
    EXPECT_EQ(view.Items()[4].icon, kIconJpeg);
    SelectNamed("notiz.txt");
    EXPECT_EQ(view.Label(), "/home/anna/");
    EXPECT_TRUE(view.Activate());

    view.Closed();
    EXPECT_EQ(view.Show(), "Verzeichnis w\xE4hlen...");
    EXPECT_FALSE(view.FileMode());
}

TEST_F(DirViewTest, AMissingStartFolderOpensOnTheDeepestFolderThatExists)
{
    Open("/opt/A/b/c");
    EXPECT_EQ(view.currentPath, "/opt/A/");
    Open("/opt/x/../A/./");
    EXPECT_EQ(view.currentPath, "/opt/A/");
    Open("irgendwo");
    EXPECT_TRUE(view.ShowsDrives());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DirViewTest, AMissingMediumAsksToTryAgainAndCancelShowsTheDrives)
{
    fake.systemInfo.drives.pop_back(); // the stick was pulled out
    Open("/media/anna/STICK/");
    EXPECT_TRUE(view.ShowsDrives());
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Laufwerk %s ist nicht bereit.|/media/anna/STICK/ [Retry Cancel]"}));

    // Under a medium that is gone the question names the medium; it is plugged in while asked.
    messages.shown.clear();
    messages.answers = {mrRetry, mrRetry};
    messages.beforeAnswer = [this] {
        if (messages.shown.size() == 2)
            fake.files.folders.insert({"/media/", "/media/anna/", "/media/anna/STICK/", "/media/anna/STICK/Spiele/"});
    };
    Open("/media/anna/STICK/Spiele/alt/");
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], "Laufwerk %s ist nicht bereit.|/media/anna/STICK/ [Retry Cancel]");
    EXPECT_EQ(view.currentPath, "/media/anna/STICK/Spiele/");
}

TEST_F(DirViewTest, NewFolderNamesAreCheckedAndAFailureLeavesTheListingUsable)
{
    Open("/home/anna/");
    view.NewFolder("   ");
    view.NewFolder("a:b");
    view.NewFolder("a/b\\c");
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Name darf kein \"%s\" enthalten.|:", "Name darf kein \"%s\" enthalten.|\\"}));
    EXPECT_TRUE(fake.files.calls.empty());

    view.NewFolder("  Neu ");
    EXPECT_EQ(fake.files.calls, (std::vector<std::string>{"mkdir /home/anna/Neu"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"..", "Alpha", "beta", "Beta2", "Neu"}));
    EXPECT_EQ(SelectedCaption(), "..");

    fake.files.unwritableFolders.insert("/home/anna/");
    view.NewFolder("Gesperrt");
    EXPECT_EQ(messages.shown.back(), "Konnte das Verzeichnis %s nicht anlegen|/home/anna/Gesperrt");
    EXPECT_EQ(Captions().size(), 5u);
    EXPECT_EQ(view.currentPath, "/home/anna/");
}

TEST_F(DirViewTest, AnUnreadableFolderShowsOnlyTheWayUp)
{
    fake.files.unreadableFolders.insert("/opt/");
    Open("/opt/");
    EXPECT_EQ(Captions(), (std::vector<std::string>{".."}));
    view.Activate();
    EXPECT_EQ(SelectedCaption(), "opt");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DirViewTest, ConfirmingAFolderThatWentAsksAndCancelStaysOnTheDrives)
{
    Open("/home/anna/");
    SelectNamed("beta");
    fake.files.folders.erase("/home/anna/beta/");
    messages.answers = {mrRetry, mrCancel};
    EXPECT_FALSE(view.CloseQuery(mrOk));
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>(2, "Laufwerk %s ist nicht bereit.|/home/anna/beta/ [Retry Cancel]")));
    EXPECT_TRUE(view.ShowsDrives());
    EXPECT_EQ(SelectedCaption(), "~: anna");

    view.Activate();
    SelectNamed("Alpha");
    EXPECT_TRUE(view.CloseQuery(mrOk));
    EXPECT_EQ(view.currentPath, "/home/anna/Alpha/");
    fake.files.folders.erase("/home/anna/Alpha/");
    EXPECT_TRUE(view.CloseQuery(mrCancel)); // a cancelled dialog closes without checks
    EXPECT_EQ(messages.shown.size(), 2u);
}

} // namespace
