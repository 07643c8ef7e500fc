#pragma once

// A sandboxed home on a virtual display with a window manager, and the steps
// of installing the program there: a downloaded copy, the wizard's buttons, the
// silent installation, the registry store and the message boxes.

#include "e2e_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// Places of the wizard's bottom buttons in its window (480 x 470, border 10).
inline constexpr std::pair<int, int> kForward{337, 447};
inline constexpr std::pair<int, int> kBack{242, 447};
inline constexpr std::pair<int, int> kCancel{432, 447};
// The folder button on the options page.
inline constexpr std::pair<int, int> kChooseFolder{455, 134};

class SetupE2e : public ::testing::Test {
protected:
    E2eSession session{true};
    // Programs are installed below a folder with a blank in its name.
    fs::path dataHome = session.Home() / "Eigene Daten";
    fs::path folder = dataHome / "Tapsodia";
    fs::path downloaded = session.Home() / "Downloads" / "tapsody";
    ChildProcess app;

    void SetUp() override
    {
        fs::create_directories(downloaded.parent_path());
        fs::copy_file(TAPSODY_PROGRAM, downloaded);
    }

    std::map<std::string, std::string> Environment() const
    {
        auto environment = session.Environment();
        environment["XDG_DATA_HOME"] = dataHome.string();
        return environment;
    }

    ChildProcess Start(const fs::path& program, const std::vector<std::string>& parameters = {})
    {
        std::vector<std::string> argv{program.string()};
        argv.insert(argv.end(), parameters.begin(), parameters.end());
        return ChildProcess(argv, Environment(), session.Home() / (program.filename().string() + ".out"));
    }

    std::string Registry() const { return session.RegistryText(); }
    void ReplaceInRegistry(const std::string& from, const std::string& to)
    {
        ASSERT_TRUE(session.ReplaceInRegistry(from, to)) << from;
    }

    unsigned long WaitForWindow(const std::string& pattern)
    {
        const unsigned long window = session.WaitForWindow(pattern);
        EXPECT_NE(window, 0u) << pattern;
        return window;
    }
    unsigned long Wizard() { return WaitForWindow("^Wellenfeld Software - Setup  Tapsody 1\\.7$"); }

    void ClickIn(unsigned long window, std::pair<int, int> at)
    {
        session.MouseMoveIn(window, at.first, at.second);
        session.MouseDown();
        session.MouseUp();
    }

    void Answer(const std::string& pattern, const std::string& key) { ASSERT_TRUE(session.Answer(pattern, key)); }

    // Installs the program in the default folder silently ("/ini" installs where
    // the program is), then closes the keyboard of the copy it starts.
    void InstallDefault()
    {
        fs::create_directories(folder);
        fs::copy_file(TAPSODY_PROGRAM, folder / "Tapsodia", fs::copy_options::overwrite_existing);
        ChildProcess inPlace = Start(folder / "Tapsodia", {"/ini"});
        ASSERT_EQ(inPlace.WaitForExit(30s), 0);
        const unsigned long keyboard = WaitForWindow("^Tapsody 1\\.7 ");
        session.Run({"xdotool", "windowclose", std::to_string(keyboard)});
        ASSERT_TRUE(WaitUntil([&] { return session.FindWindow("^Tapsody 1\\.7 ") == 0; }));
    }

    std::string Log(const fs::path& program) { return ReadFile(program.parent_path() / "Tapsodia.log"); }
};
