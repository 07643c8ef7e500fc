#include "fake_platform.h"
#include "sandbox.h"
#include "services/program_record.h"
#include "services/window_placement_qt.h"
#include "support/ini_file.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Settings files go to a real folder; the files of the platform are not needed
// beyond the carry-over check, which the fake answers.
class PlacementTest : public ::testing::Test {
protected:
    PlacementTest()
    {
        ProgInfo = TProgInfo{};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.SaveDir = sandbox.Root() + "/tmp/";
        ProgInfo.ProgDir = ProgInfo.SaveDir;
    }
    std::string Settings() const { return Sandbox::Read(ProgInfo.SaveDir + "Tapsodia.ini"); }

    Sandbox sandbox;
    FakePlatform fake;
};

} // namespace

TEST_F(PlacementTest, AResizableWindowKeepsPlaceAndSize)
{
    QWidget window;
    window.setObjectName("Mainform");
    window.setGeometry(120, 80, 500, 300);
    SaveWindowPlacement(&window).reset();
    EXPECT_EQ(Settings(), "[FensterMainform]\r\nVonOben=80\r\nLinks=120\r\nHoehe=300\r\nBreite=500\r\n");

    QWidget again;
    again.setObjectName("Mainform");
    again.setGeometry(0, 0, 100, 100);
    auto settings = OpenSettings(&again, true);
    EXPECT_EQ(again.pos(), QPoint(120, 80));
    EXPECT_EQ(again.size(), QSize(500, 300));
    EXPECT_EQ(settings->FileName(), ProgInfo.SaveDir + "Tapsodia.ini");
}

TEST_F(PlacementTest, ADialogOrAFixedSizeWindowKeepsItsDesignedSize)
{
    QDialog dialog;
    dialog.setObjectName("DirDialog");
    dialog.setGeometry(30, 40, 600, 400);
    QWidget fixed;
    fixed.setObjectName("Layoutform");
    fixed.setGeometry(50, 60, 889, 238);
    fixed.setFixedSize(889, 238);
    SaveWindowPlacement(&dialog).reset();
    SaveWindowPlacement(&fixed).reset();
    EXPECT_EQ(Settings(), "[FensterDirDialog]\r\nVonOben=40\r\nLinks=30\r\n\r\n"
                          "[FensterLayoutform]\r\nVonOben=60\r\nLinks=50\r\n");

    tinifile2(ProgInfo.SaveDir + "Tapsodia.ini").WriteInteger("FensterDirDialog", "Breite", 10);
    QDialog again;
    again.setObjectName("DirDialog");
    again.resize(600, 400);
    OpenSettings(&again, true).reset();
    EXPECT_EQ(again.pos(), QPoint(30, 40));
    EXPECT_EQ(again.size(), QSize(600, 400));
}

TEST_F(PlacementTest, AMaximisedWindowStoresItsNormalPlace)
{
    QWidget window;
    window.setObjectName("Mainform");
    window.setGeometry(100, 100, 400, 200);
    window.show();
    QApplication::processEvents();
    SaveWindowPlacement(&window).reset();
    const std::string normal = Settings();
    EXPECT_NE(normal.find("Hoehe=200\r\nBreite=400"), std::string::npos);

    std::filesystem::remove(ProgInfo.SaveDir + "Tapsodia.ini");
    window.showMaximized();
    QApplication::processEvents();
    ASSERT_NE(window.size(), QSize(400, 200));
    SaveWindowPlacement(&window).reset();
    EXPECT_EQ(Settings(), normal);
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(PlacementTest, AWindowStoredOffTheScreenComesBack)
{
    tinifile2 stored(ProgInfo.SaveDir + "Tapsodia.ini");
    stored.WriteInteger("FensterMainform", "Links", 20000);
    stored.WriteInteger("FensterMainform", "VonOben", 50);
    stored.UpdateFile();
    QWidget window;
    window.setObjectName("Mainform");
    window.resize(300, 200);
    OpenSettings(&window, true).reset();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.x(), screen.left() + screen.width() - 300);
    EXPECT_EQ(window.y(), 50);
}

TEST_F(PlacementTest, OpenSettingsCarriesAnOldFileOverAndOnlyReadsWhenAsked)
{
    ProgInfo.ProgDir = "/opt/Tapsody/";
    fake.files.files["/opt/Tapsody/Tapsodia.ini"] = "x";
    QWidget window;
    window.setObjectName("Mainform");
    window.move(7, 8);
    OpenSettings(&window, false).reset();
    EXPECT_EQ(fake.files.calls,
              (std::vector<std::string>{"copy /opt/Tapsody/Tapsodia.ini " + ProgInfo.SaveDir + "Tapsodia.ini"}));
    EXPECT_EQ(window.pos(), QPoint(7, 8));
}
