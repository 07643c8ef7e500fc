// Writers killed at random points: whatever moment a write of the settings
// file, the registry store or any replaced file is stopped at, the file on disk
// is one whole generation, old or new.

#include "datastore/file_bytes.h"
#include "datastore/lzh_codec.h"
#include "platform/linux/linux_registry.h"
#include "platform/reg_file.h"
#include "sandbox.h"
#include "support/ini_file.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kKills = 30;
constexpr int kLines = 300;

// Runs write(1), write(2), ... in a child process and kills it after a random
// moment, kKills times; after each kill, check() looks at what is on disk.
void KillWhileWriting(const std::function<void(int generation)>& write, const std::function<void()>& check)
{
    std::mt19937 random(17);
    std::uniform_int_distribution<int> microseconds(0, 12000);
    int first = 1;
    for (int kill = 0; kill < kKills; ++kill, first += 100000) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            try {
                for (int generation = first; generation < first + 100000; ++generation)
                    write(generation);
            } catch (...) {
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended before it was killed";
        check();
        if (::testing::Test::HasFailure())
            return;
    }
}

std::string Generation(int generation)
{
    std::string bytes;
    for (int line = 0; line < kLines; ++line)
        bytes += "Zeile" + std::to_string(line) + "=" + std::to_string(generation) + "\r\n";
    return bytes;
}

std::vector<std::string> TemporaryFilesBeside(const std::string& path)
{
    std::vector<std::string> found;
    const std::filesystem::path file(path);
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        if (entry.path().filename().string().starts_with(file.filename().string() + ".tmp-"))
            found.push_back(entry.path().filename().string());
    return found;
}

TEST(KilledWriter, AReplacedFileIsTheOldOrTheNewNeverAMix)
{
    Sandbox sandbox;
    const std::string path = sandbox.Home() + "/data.txt";
    ReplaceFileBytes(path, Generation(0));
    KillWhileWriting([&](int generation) { ReplaceFileBytes(path, Generation(generation)); },
                     [&] {
                         const std::string bytes = Sandbox::Read(path);
                         const std::string first = bytes.substr(0, bytes.find("\r\n"));
                         const int generation = std::stoi(first.substr(first.find('=') + 1));
                         EXPECT_EQ(bytes, Generation(generation));
                     });
}

// The settings file plain and compressed: each generation writes every line anew.
TEST(KilledWriter, TheSettingsFileIsAlwaysOneWholeGeneration)
{
    for (const bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "compressed" : "plain");
        Sandbox sandbox;
        const std::string path = sandbox.Home() + "/Tapsodia.ini";
        const std::string first = "[Daten]\r\n" + Generation(0);
        Sandbox::Write(path, compressed ? "ZUK" + LzhEncodeBytes(first) : first);
        KillWhileWriting(
            [&](int generation) {
                tinifile2 ini(path);
                for (int line = 0; line < kLines; ++line)
                    ini.WriteInteger("Daten", "Zeile" + std::to_string(line), generation);
            },
            [&] {
                tinifile2 ini(path);
                ASSERT_FALSE(ini.Unreadable());
                EXPECT_EQ(ini.Compressed(), compressed);
                const std::int64_t generation = ini.ReadInteger("Daten", "Zeile0", -1);
                std::vector<std::string> expected{"[Daten]"};
                for (int line = 0; line < kLines; ++line)
                    expected.push_back("Zeile" + std::to_string(line) + "=" + std::to_string(generation));
                EXPECT_EQ(ini.Lines(), expected);
            });
    }
}

// Each registry write is a generation: the values present are those written
// first, none missing before the last, and the store always reads.
TEST(KilledWriter, TheRegistryStoreIsAlwaysOneWholeGeneration)
{
    Sandbox sandbox;
    const std::string store = LinuxRegistry::DefaultStorePath();
    const char* const key = "\\Software\\Vendor\\Tapsodia";
    {
        LinuxRegistry registry(store);
        for (int line = 0; line < kLines; ++line)
            ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, "\\Software\\Vendor\\Fuellung",
                                             "Zeile" + std::to_string(line), std::string(60, 'x')));
    }
    KillWhileWriting(
        [&](int generation) {
            LinuxRegistry(store).WriteInteger(RegistryRoot::CurrentUser, key, "Wert" + std::to_string(generation),
                                              generation);
        },
        [&] {
            const std::optional<std::string> text = DecodeRegFile(Sandbox::Read(store));
            ASSERT_TRUE(text);
            RegParseResult parsed = ParseRegText(*text);
            ASSERT_TRUE(parsed.document) << parsed.error;
            LinuxRegistry registry(store);
            EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, "\\Software\\Vendor\\Fuellung", "Zeile7"),
                      std::string(60, 'x'));
            const RegKey* written = parsed.document->FindKey("HKEY_CURRENT_USER\\Software\\Vendor\\Tapsodia");
            if (!written)
                return;
            // The values of each run come in order, from its first generation on.
            int expected = 0;
            for (const RegValue& value : written->values) {
                const int generation = std::stoi(value.name.substr(4));
                if (generation % 100000 == 1)
                    expected = generation;
                EXPECT_EQ(generation, expected) << value.name;
                EXPECT_EQ(value.dword, static_cast<std::uint32_t>(generation));
                ++expected;
            }
        });
}

// A killed writer leaves its temporary file; the next write of that file
// removes the temporary files of writers that no longer run.
TEST(KilledWriter, TemporaryFilesOfKilledWritersGoAtTheNextWrite)
{
    Sandbox sandbox;
    const std::string path = sandbox.Home() + "/data.txt";
    KillWhileWriting([&](int generation) { ReplaceFileBytes(path, Generation(generation)); }, [] {});
    ReplaceFileBytes(path, Generation(0));
    EXPECT_EQ(TemporaryFilesBeside(path), std::vector<std::string>());
    EXPECT_EQ(Sandbox::Read(path), Generation(0));
}

} // namespace
