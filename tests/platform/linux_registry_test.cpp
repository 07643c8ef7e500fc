#include "fake_platform.h"
#include "platform/linux/linux_registry.h"
#include "platform/reg_file.h"
#include "sandbox.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

const char kKey[] = "\\Software\\Vendor\\Tapsodia";
const char kSettingsKey[] = "\\Software\\Tapsody\\Einstellungen";

// The values of data/regedit_export.reg, in its order.
void WriteExportedValues(Registry& registry)
{
    ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, kSettingsKey, "",
                                     "Gr\xFC\xDF"
                                     "e"));
    ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, kSettingsKey, "Benutzer", "J\xFCrgen"));
    ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, kSettingsKey, "Pfad", "C:\\Programme\\Tap \"sody\""));
    ASSERT_TRUE(registry.WriteInteger(RegistryRoot::CurrentUser, kSettingsKey, "Sprache", 1));
}

void ExpectExportedValues(Registry& registry)
{
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kSettingsKey, ""), "Gr\xFC\xDF"
                                                                                "e");
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kSettingsKey, "Benutzer"), "J\xFCrgen");
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kSettingsKey, "Pfad"), "C:\\Programme\\Tap \"sody\"");
    EXPECT_EQ(registry.ReadInteger(RegistryRoot::CurrentUser, kSettingsKey, "Sprache"), 1);
}

std::string StoredExport()
{
    return Sandbox::Read(TAPSODY_SOURCE_DIR "/tests/platform/data/regedit_export.reg");
}

} // namespace

TEST(LinuxRegistry, LivesInTheConfigFolderAsAReadableRegFile)
{
    Sandbox sandbox;
    EXPECT_EQ(LinuxRegistry::DefaultStorePath(), sandbox.Home() + "/.config/tapsody/registry.reg");
    LinuxRegistry registry(LinuxRegistry::DefaultStorePath());
    ASSERT_TRUE(registry.WriteString(RegistryRoot::LocalMachine, kKey, "Pfad", "/home/j\xFCrgen/Tapsody/"));
    ASSERT_TRUE(registry.WriteInteger(RegistryRoot::LocalMachine, "\\Software\\Vendor", "Sprache", 1));

    const std::string bytes = Sandbox::Read(registry.StorePath());
    EXPECT_TRUE(bytes.starts_with("\xFF\xFEW\0i\0n\0")) << "UTF-16LE with a byte-order mark";
    EXPECT_EQ(DecodeRegFile(bytes), "Windows Registry Editor Version 5.00\r\n"
                                    "\r\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Tapsodia]\r\n"
                                    "\"Pfad\"=\"/home/j\xC3\xBCrgen/Tapsody/\"\r\n"
                                    "\r\n"
                                    "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"
                                    "\"Sprache\"=dword:00000001\r\n"
                                    "\r\n");

    LinuxRegistry again(registry.StorePath());
    EXPECT_EQ(again.ReadString(RegistryRoot::LocalMachine, kKey, "Pfad"), "/home/j\xFCrgen/Tapsody/");
    EXPECT_EQ(again.ReadInteger(RegistryRoot::LocalMachine, "\\Software\\Vendor", "Sprache"), 1);
    EXPECT_TRUE(again.DeleteKey(RegistryRoot::LocalMachine, "\\Software\\Vendor"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, kKey));
}

TEST(LinuxRegistry, ReadingAMissingStoreCreatesNothing)
{
    Sandbox sandbox;
    LinuxRegistry registry(LinuxRegistry::DefaultStorePath());
    EXPECT_FALSE(registry.ReadString(RegistryRoot::CurrentUser, kKey, "x"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, kKey));
    EXPECT_FALSE(std::filesystem::exists(registry.StorePath()));
}

// A store kept from the last read serves only while the file is unchanged.
TEST(LinuxRegistry, EveryReadSeesTheChangesOfOthers)
{
    Sandbox sandbox;
    LinuxRegistry reader(LinuxRegistry::DefaultStorePath());
    LinuxRegistry writer(reader.StorePath());
    ASSERT_TRUE(writer.WriteInteger(RegistryRoot::CurrentUser, kKey, "Sprache", 1));
    EXPECT_EQ(reader.ReadInteger(RegistryRoot::CurrentUser, kKey, "Sprache"), 1);

    ASSERT_TRUE(writer.WriteInteger(RegistryRoot::CurrentUser, kKey, "Sprache", 2)); // same size, a new file
    EXPECT_EQ(reader.ReadInteger(RegistryRoot::CurrentUser, kKey, "Sprache"), 2);
    ASSERT_TRUE(reader.WriteInteger(RegistryRoot::CurrentUser, kKey, "Pfad", 7));
    EXPECT_EQ(writer.ReadInteger(RegistryRoot::CurrentUser, kKey, "Pfad"), 7);

    // An editor writing into the file itself: file times move in steps of a clock tick.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::string bytes = Sandbox::Read(reader.StorePath());
    const std::size_t at = bytes.find(std::string("0\0"
                                                  "2\0",
                                                  4)); // in UTF-16: "02" of dword:00000002
    ASSERT_NE(at, std::string::npos);
    bytes[at + 2] = '3';
    std::fstream(reader.StorePath(), std::ios::in | std::ios::out | std::ios::binary).write(bytes.data(), bytes.size());
    EXPECT_EQ(reader.ReadInteger(RegistryRoot::CurrentUser, kKey, "Sprache"), 3);

    std::filesystem::remove(reader.StorePath());
    EXPECT_FALSE(reader.ReadInteger(RegistryRoot::CurrentUser, kKey, "Sprache"));
}

TEST(LinuxRegistry, WritersInTwoProcessesLoseNothing)
{
    Sandbox sandbox;
    const std::string store = LinuxRegistry::DefaultStorePath();
    constexpr int kWrites = 40;
    std::vector<pid_t> children;
    for (const char* writer : {"A", "B"}) {
        const pid_t pid = fork();
        if (pid == 0) {
            LinuxRegistry registry(store);
            bool ok = true;
            for (int i = 0; i < kWrites; ++i)
                ok = registry.WriteInteger(RegistryRoot::CurrentUser, kKey, writer + std::to_string(i), i) && ok;
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    LinuxRegistry registry(store);
    for (const char* writer : {"A", "B"})
        for (int i = 0; i < kWrites; ++i)
            EXPECT_EQ(registry.ReadInteger(RegistryRoot::CurrentUser, kKey, writer + std::to_string(i)), i)
                << writer << i;
}

TEST(LinuxRegistry, WritersInTwoThreadsLoseNothing)
{
    Sandbox sandbox;
    const std::string store = LinuxRegistry::DefaultStorePath();
    auto writeMany = [&](const std::string& prefix) {
        LinuxRegistry registry(store);
        for (int i = 0; i < 30; ++i)
            registry.WriteString(RegistryRoot::CurrentUser, kKey, prefix + std::to_string(i), prefix);
    };
    std::thread first(writeMany, "x");
    std::thread second(writeMany, "y");
    first.join();
    second.join();
    LinuxRegistry registry(store);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, "x" + std::to_string(i)), "x");
        EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kKey, "y" + std::to_string(i)), "y");
    }
}

TEST(LinuxRegistry, KeepsADamagedStoreAsideAndSaysSo)
{
    Sandbox sandbox;
    FakePlatform fake; // records the message
    const std::string store = LinuxRegistry::DefaultStorePath();
    const std::string damaged = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"kaputt\n";
    Sandbox::Write(store, damaged);

    LinuxRegistry registry(store);
    EXPECT_FALSE(registry.ReadString(RegistryRoot::CurrentUser, "\\X", "a"));
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].find("plain:Registrierungsdatei " + store), std::string::npos);
    EXPECT_NE(fake.messages.shown[0].find("(Zeile 3: ein Textwert ist nicht richtig geschlossen)"), std::string::npos)
        << fake.messages.shown[0];

    std::vector<std::string> aside;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(store).parent_path()))
        if (entry.path().filename().string().starts_with("registry.reg.damaged-"))
            aside.push_back(entry.path().string());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(Sandbox::Read(aside[0]), damaged);

    EXPECT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, "\\X", "a", "neu"));
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, "\\X", "a"), "neu");
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

// A file that regedit exported (UTF-16LE, CR LF) is read, and the store holding
// the same values is the same file, byte for byte. UTF-8, with or without a
// byte-order mark, is read alike.
TEST(LinuxRegistry, ReadsAndWritesTheFilesRegeditWrites)
{
    const std::string exported = StoredExport();
    ASSERT_TRUE(exported.starts_with("\xFF\xFE"));
    const std::optional<std::string> text = DecodeRegFile(exported);
    ASSERT_TRUE(text);
    for (const std::string& bytes : {exported, *text, "\xEF\xBB\xBF" + *text}) {
        Sandbox sandbox;
        FakePlatform fake;
        Sandbox::Write(LinuxRegistry::DefaultStorePath(), bytes);
        LinuxRegistry registry(LinuxRegistry::DefaultStorePath());
        ExpectExportedValues(registry);
        EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.shown[0];
    }

    Sandbox sandbox;
    LinuxRegistry registry(LinuxRegistry::DefaultStorePath());
    WriteExportedValues(registry);
    EXPECT_EQ(Sandbox::Read(registry.StorePath()), exported);
}

// Where Wine is installed, its regedit imports the store and exports it again
// unchanged, in a prefix of the test's own.
TEST(LinuxRegistry, RegeditImportsTheStoreAndExportsItUnchanged)
{
    const std::string wine = "/usr/lib/wine/wine64";
    if (!std::filesystem::exists(wine))
        GTEST_SKIP() << "Wine (Debian's wine64) is not installed";
    Sandbox sandbox;
    const std::string prefix = sandbox.Root() + "/wine";
    const auto run = [&](const std::string& arguments) {
        const std::string command = "WINEPREFIX='" + prefix + "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' " +
                                    "DISPLAY= " + wine + " " + arguments + " >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    const auto windowsPath = [](std::string path) {
        std::replace(path.begin(), path.end(), '/', '\\');
        return "'Z:" + path + "'";
    };
    ASSERT_EQ(run("wineboot -i"), 0);
    LinuxRegistry registry(LinuxRegistry::DefaultStorePath());
    WriteExportedValues(registry);

    const std::string exported = sandbox.Root() + "/export.reg";
    EXPECT_EQ(run("regedit /S " + windowsPath(registry.StorePath())), 0);
    EXPECT_EQ(run("regedit /E " + windowsPath(exported) + " 'HKEY_CURRENT_USER\\Software\\Tapsody\\Einstellungen'"), 0);
    EXPECT_EQ(Sandbox::Read(exported), Sandbox::Read(registry.StorePath()));
    std::system(("WINEPREFIX='" + prefix + "' /usr/lib/wine/wineserver -k >/dev/null 2>&1").c_str());
}
