// Removing an installation on the platform fakes: the uninstaller's questions,
// refusals and reports, what it removes and what it leaves, and the program's
// side that writes it out and starts it.

#include "fake_platform.h"
#include "platform/document_registry.h"
#include "services/program_record.h"
#include "setup/uninstall_run.h"
#include "setup/uninstaller/uninstaller.h"
#include "support/language_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace std::chrono_literals;

const RegistryRoot kMachine = RegistryRoot::LocalMachine;
const std::string kHome = "/home/anna/";
const std::string kFolder = "/home/anna/.local/share/Tapsodia/";
const std::string kMenu = "/home/anna/.local/share/applications/";
const std::string kDesktop = "/home/anna/Desktop/";
const std::string kVendor = "\\Software\\Wellenfeld Software";
const std::string kProduct = kVendor + "\\Tapsodia";
const std::string kUninstall = "\\Software\\Microsoft\\Windows\\CurrentVersion\\UnInstall\\Tapsodia";

class UninstallTest : public ::testing::Test {
protected:
    FakePlatform fake;

    void SetUp() override
    {
        ProgInfo = {};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.Title = "Tapsody 1.7";
        ProgInfo.Maker = "Wellenfeld Software";
        ProgInfo.TempDir = "/tmp/";
        TranslationOn = true;
        CurrentLanguage = LanguageGerman;
        Sprachliste.Clear();
        for (const std::string& folder : {std::string("/home/"), kHome, kHome + ".local/", kHome + ".local/share/",
                                          kMenu, kDesktop, std::string("/tmp/"), std::string("/opt/")})
            fake.files.folders.insert(folder);
        fake.folders.special = {{SpecialFolderPrograms, kMenu}, {SpecialFolderDesktopDirectory, kDesktop}};
        // What is there before, and stays: another program's launcher and the user's files.
        fake.shell.links[kMenu + "Editor.lnk"] = "/usr/bin/editor";
        fake.files.files[kHome + "Notizen.txt"] = "meine Notizen";
        fake.registry.WriteString(RegistryRoot::CurrentUser, "\\Software\\Editor", "Farbe", "blau");
    }
    void TearDown() override
    {
        CurrentLanguage = LanguageGerman;
        Sprachliste.Clear();
    }

    // What an installation into kFolder leaves behind, as the installer writes it.
    void Install()
    {
        fake.files.folders.insert(kFolder);
        for (const char* name : {"Tapsodia", "Tapsodia.ini", "Tapsodia.log", "Tapsodia-Lizenz-DE.htm",
                                 "Tapsodia-Licence-EN.htm", "Tapsodia.png", "Tapsodia.svg"})
            fake.files.files[kFolder + name] = name;
        for (const std::string& link : {kMenu + "Tapsody 1.7.lnk", kMenu + "Tapsody.lnk", kDesktop + "Tapsody 1.7.lnk"})
            fake.shell.links[link] = kFolder + "Tapsodia";
        Registry& registry = fake.registry;
        registry.WriteInteger(kMachine, kVendor, "Sprache", 0);
        for (const auto& [name, value] : {std::pair{"Pfad", kFolder},
                                          {"Lizenzvertrag", std::string("09.12.2026")},
                                          {"von", std::string("Das Tapsody-Team")},
                                          {"Firma", std::string("Wellenfeld Software")},
                                          {"Titel", std::string("Tapsody 1.7")}})
            registry.WriteString(kMachine, kProduct, name, value);
        registry.WriteString(kMachine, kUninstall, "DisplayName", "Tapsody 1.7");
        registry.WriteString(kMachine, kUninstall, "UninstallString", kFolder + "Tapsodia /uninstall");
        registry.WriteString(kMachine, kUninstall, "Installiert", "09.12.2026");
    }

    // Everything the fakes hold, as one text.
    std::string State() const
    {
        std::ostringstream text;
        for (const std::string& folder : fake.files.folders)
            text << "folder " << folder << "\n";
        for (const auto& [file, content] : fake.files.files)
            text << "file " << file << " " << content << "\n";
        for (const auto& [link, target] : fake.shell.links)
            text << "link " << link << " -> " << target << "\n";
        return text.str() + FormatRegText(fake.registry.document);
    }

    void LoadTexts()
    {
        std::ifstream file(std::string(TAPSODY_SOURCE_DIR) + "/data/uninstaller_sprachmemo.txt", std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line.substr(0, line.find('\r')));
        Sprachliste.Addstrings(lines);
    }

    static std::string Question(const std::string& folder = kFolder)
    {
        return "dlg3:Soll Tapsody 1.7 mit allen seinen Dateien, Verkn\xFCpfungen und Registrierungseintr\xE4gen von "
               "diesem Computer entfernt werden?\r\n\r\nInstallationsverzeichnis: " +
               folder + "|";
    }
};

TEST_F(UninstallTest, YesRemovesEveryTraceAndNothingElse)
{
    // The vendor key goes with its last entry, and stays for another program of the vendor.
    for (const bool otherProduct : {false, true}) {
        SCOPED_TRACE(otherProduct ? "another program of the vendor" : "the vendor's only program");
        if (otherProduct)
            fake.registry.WriteString(kMachine, kVendor, "Kontakt", "kontakt@tapsody.example");
        const std::string before = State();
        Install();
        // A launcher with our name that starts another copy is not ours.
        fake.shell.links[kDesktop + "Tapsody 1.6.lnk"] = "/opt/Tapsodia/Tapsodia";
        fake.messages.shown.clear();
        fake.messages.answer = mrYes;

        EXPECT_EQ(RunUninstaller(0ms), 0);
        fake.shell.links.erase(kDesktop + "Tapsody 1.6.lnk");
        EXPECT_EQ(State(), before);
        EXPECT_EQ(fake.messages.shown,
                  (std::vector<std::string>{Question(), "show:Tapsody 1.7 wurde von diesem Computer entfernt.|"}));
    }
}

TEST_F(UninstallTest, NoKeepsEverything)
{
    Install();
    const std::string installed = State();
    fake.messages.answer = mrNo;
    EXPECT_EQ(RunUninstaller(0ms), 0);
    EXPECT_EQ(State(), installed);
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{Question()});
}

TEST_F(UninstallTest, AFolderNotShownToBeOursIsRefusedAndNothingRemoved)
{
    const struct {
        std::string pfad;
        std::string reason;
    } cases[] = {
        {"", "Die Registrierung nennt kein Installationsverzeichnis."},
        {"/", "Das Installationsverzeichnis / ist das Wurzelverzeichnis."},
        {kHome, "Das Installationsverzeichnis " + kHome + " ist Ihr pers\xF6nlicher Ordner."},
        {"/home/anna", "Das Installationsverzeichnis /home/anna/ ist Ihr pers\xF6nlicher Ordner."},
        {"/home/anna/.local/..", "Das Installationsverzeichnis /home/anna/.local/../ ist kein vollst\xE4ndiger Pfad."},
        {"/home/anna//", "Das Installationsverzeichnis /home/anna// ist kein vollst\xE4ndiger Pfad."},
        {"Tapsodia/", "Das Installationsverzeichnis Tapsodia/ ist kein vollst\xE4ndiger Pfad."},
        {"/opt/", "Das Installationsverzeichnis /opt/ enth\xE4lt das Programm nicht."},
    };
    Install();
    fake.files.files["/Tapsodia"] = fake.files.files[kHome + "Tapsodia"] = "a file of that name";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pfad);
        fake.registry.WriteString(kMachine, kProduct, "Pfad", c.pfad);
        const std::string installed = State();
        fake.messages.shown.clear();
        fake.messages.answer = mrYes;
        EXPECT_EQ(RunUninstaller(0ms), 1);
        EXPECT_EQ(fake.messages.shown,
                  std::vector<std::string>{"dlg1:" + c.reason + "\r\n\r\nEs wurde nichts entfernt.|"});
        EXPECT_EQ(State(), installed);
    }
}

TEST_F(UninstallTest, FilesOfTheUserStayAndAreNamed)
{
    Install();
    fake.files.files[kFolder + "Notizen.txt"] = "x";
    fake.files.folders.insert(kFolder + "Bilder/");
    fake.messages.answer = mrYes;
    EXPECT_EQ(RunUninstaller(0ms), 0);
    EXPECT_EQ(fake.messages.shown.back(),
              "show:Tapsody 1.7 wurde von diesem Computer entfernt.\r\n\r\nDas Verzeichnis " + kFolder +
                  " bleibt, weil es noch Dateien enth\xE4lt, die nicht zum Programm geh\xF6ren:\r\n    Bilder/\r\n"
                  "    Notizen.txt|");
    EXPECT_TRUE(fake.files.FolderExists(kFolder));
    EXPECT_TRUE(fake.files.FileExists(kFolder + "Notizen.txt"));
    EXPECT_FALSE(fake.files.FileExists(kFolder + "Tapsodia.ini"));
    EXPECT_FALSE(fake.registry.KeyExists(kMachine, kProduct));
}

TEST_F(UninstallTest, WhatCannotBeRemovedIsReportedAndTheRegistryKeptForAnotherRun)
{
    Install();
    fake.files.undeletable.insert(kFolder + "Tapsodia");
    fake.shell.undeletableLinks.insert(kDesktop + "Tapsody 1.7.lnk");
    fake.messages.answer = mrYes;
    EXPECT_EQ(RunUninstaller(0ms), 1);
    EXPECT_EQ(fake.messages.shown.back(),
              "show:Tapsody 1.7 wurde nicht vollst\xE4ndig entfernt.\r\n\r\nDas Verzeichnis " + kFolder +
                  " bleibt, weil es noch Dateien enth\xE4lt, die nicht zum Programm geh\xF6ren:\r\n    Tapsodia\r\n\r\n"
                  "Folgendes konnte nicht entfernt werden:\r\n    " +
                  kDesktop + "Tapsody 1.7 (Verkn\xFCpfung)\r\n    " + kFolder +
                  "Tapsodia\r\n\r\nDie Registrierungseintr\xE4ge bleiben, damit die Deinstallation "
                  "wiederholt werden kann.|");
    EXPECT_FALSE(fake.files.FileExists(kFolder + "Tapsodia.ini"));
    EXPECT_TRUE(fake.registry.ValueExists(kMachine, kProduct, "Pfad"));
    EXPECT_TRUE(fake.registry.KeyExists(kMachine, kUninstall));
}

TEST_F(UninstallTest, NothingInstalledOrTheProgramStillRunning)
{
    EXPECT_EQ(RunUninstaller(0ms), 0);
    EXPECT_EQ(fake.messages.shown,
              std::vector<std::string>{"show:%s ist auf diesem Computer nicht installiert.|Tapsody 1.7"});

    Install();
    const std::string installed = State();
    fake.messages.shown.clear();
    fake.instanceLocks.result = InstanceLockResult::HeldElsewhere;
    EXPECT_EQ(RunUninstaller(0ms), 1);
    EXPECT_EQ(fake.messages.shown,
              std::vector<std::string>{"dlg1:%s l\xE4uft noch. Bitte beenden Sie das Programm und starten Sie die "
                                       "Deinstallation dann erneut.|Tapsody 1.7"});
    EXPECT_EQ(State(), installed);
    EXPECT_EQ(fake.instanceLocks.requested, std::vector<std::string>{"Tapsodia"});

    // A copy started with "=" takes no lock; its keyboard window tells.
    fake.instanceLocks.result = InstanceLockResult::Acquired;
    fake.desktop.windows = {{7, "Tapsody 1.7 https://tapsody.example"}};
    fake.messages.shown.clear();
    EXPECT_EQ(RunUninstaller(0ms), 1);
    EXPECT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(State(), installed);
}

TEST_F(UninstallTest, SpeaksTheLanguageTheVendorKeyNames)
{
    LoadTexts();
    Install();
    fake.registry.WriteInteger(kMachine, kVendor, "Sprache", 1);
    fake.files.files[kFolder + "Notizen.txt"] = "x";
    fake.messages.answer = mrYes;
    EXPECT_EQ(RunUninstaller(0ms), 0);
    EXPECT_EQ(fake.messages.shown,
              (std::vector<std::string>{
                  "dlg3:Do you want to remove Tapsody 1.7 with all its files, links and registry entries from this "
                  "computer?\r\n\r\nInstallation folder: " +
                      kFolder + "|",
                  "show:Tapsody 1.7 has been removed from this computer.\r\n\r\nThe folder " + kFolder +
                      " stays, since it still holds files that do not belong to the program:\r\n    Notizen.txt|"}));
}

TEST_F(UninstallTest, TheProgramWritesTheUninstallerPrivatelyAndStartsIt)
{
    fake.files.folders.insert("/tmp/Tapsodia-uninstall-1/"); // taken: a new one is made
    EXPECT_TRUE(StartUninstaller("uninstaller bytes"));
    EXPECT_EQ(fake.files.privatePrograms, std::set<std::string>{"/tmp/Tapsodia-uninstall-2/quninst"});
    EXPECT_EQ(fake.files.files["/tmp/Tapsodia-uninstall-2/quninst"], "uninstaller bytes");
    EXPECT_EQ(fake.shell.calls, std::vector<std::string>{"open|/tmp/Tapsodia-uninstall-2/quninst|Tapsodia|"});

    // A start that fails leaves nothing behind.
    fake.shell.answers = {ShellAccessDenied};
    EXPECT_FALSE(StartUninstaller("uninstaller bytes"));
    EXPECT_FALSE(fake.files.FolderExists("/tmp/Tapsodia-uninstall-3/"));
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>{"show:Zugriff verweigert"});

    fake.files.unwritableFolders.insert("/tmp/");
    EXPECT_FALSE(StartUninstaller("uninstaller bytes"));
    EXPECT_EQ(fake.messages.shown.back(),
              "show:Im Verzeichnis %s konnte kein Ordner f\xFCr das Deinstallationsprogramm angelegt werden.|/tmp/");
}

TEST_F(UninstallTest, TheUninstallerRemovesOnlyTheCopyWrittenForItsRun)
{
    const std::string runFolder = "/tmp/Tapsodia-uninstall-abc123/";
    for (const std::string& copy :
         {std::string("/opt/Tapsody/quninst"), std::string("/tmp/quninst"), std::string("/tmp/other/quninst"),
          runFolder + "Tapsodia", runFolder + "sub/quninst"}) {
        SCOPED_TRACE(copy);
        fake.folders.executable = copy;
        fake.files.files[copy] = "uninstaller";
        RemoveOwnCopy();
        EXPECT_TRUE(fake.files.FileExists(copy));
        fake.files.files.erase(copy);
    }
    fake.files.folders.insert(runFolder);
    fake.folders.executable = runFolder + "quninst";
    fake.files.files[runFolder + "quninst"] = "uninstaller";
    RemoveOwnCopy();
    EXPECT_FALSE(fake.files.FileExists(runFolder + "quninst"));
    EXPECT_FALSE(fake.files.FolderExists(runFolder));
}

TEST(UninstallerParameter, NamesAProgramFile)
{
    for (const char* good : {"Tapsodia", "Tapsodia 2", "ta.ps"})
        EXPECT_TRUE(IsProgramName(good)) << good;
    for (const char* bad : {"", ".", "..", "../Tapsodia", "a/b", "a\\b"})
        EXPECT_FALSE(IsProgramName(bad)) << bad;
}

} // namespace
