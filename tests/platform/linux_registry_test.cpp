#include "fake_platform.h"
#include "platform/linux/linux_registry.h"
#include "sandbox.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

namespace {
const char kKey[] = "\\Software\\Vendor\\Tapsodia";
}

TEST(LinuxRegistry, LivesInTheConfigFolderAsAReadableRegFile)
{
    Sandbox sandbox;
    EXPECT_EQ(LinuxRegistry::DefaultStorePath(), sandbox.Home() + "/.config/tapsody/registry.reg");
    LinuxRegistry registry(LinuxRegistry::DefaultStorePath());
    ASSERT_TRUE(registry.WriteString(RegistryRoot::LocalMachine, kKey, "Pfad", "/home/j\xFCrgen/Tapsody/"));
    ASSERT_TRUE(registry.WriteInteger(RegistryRoot::LocalMachine, "\\Software\\Vendor", "Sprache", 1));

    EXPECT_EQ(Sandbox::Read(registry.StorePath()),
              "Windows Registry Editor Version 5.00\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Tapsodia]\n"
              "\"Pfad\"=\"/home/j\xC3\xBCrgen/Tapsody/\"\n"
              "\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\n"
              "\"Sprache\"=dword:00000001\n");

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
    EXPECT_NE(fake.messages.shown[0].find("Zeile 3"), std::string::npos);

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
