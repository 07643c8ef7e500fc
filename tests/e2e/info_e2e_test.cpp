// The information dialog of an installed program, on a virtual display with a
// window manager: opened with F1 and from the pop-up menu, its buttons hand
// their addresses and files to the desktop's opener (a recording one here) and
// make links, and the language chosen in it is the language of the next start.

#include "e2e_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Points of the information page in its window (border 10 around the client area).
constexpr std::pair<int, int> kContinue{337, 447};
constexpr std::pair<int, int> kStartMenuLink{190, 256};
constexpr std::pair<int, int> kDesktopLink{190, 276};
constexpr std::pair<int, int> kLicence{190, 301};
constexpr std::pair<int, int> kHomepage{60, 358};
constexpr std::pair<int, int> kEMail{60, 398};
constexpr std::pair<int, int> kEnglish{340, 282};

class InfoE2e : public ::testing::Test {
protected:
    E2eSession session{true};
    fs::path program;
    fs::path opened = session.Home() / "opened.txt";
    ChildProcess app;

    void SetUp() override
    {
        program = session.InstallProgram(TAPSODY_PROGRAM);
        // The desktop's opener, recording what it is given.
        const fs::path bin = session.Home() / "bin";
        fs::create_directories(bin);
        std::ofstream(bin / "xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << opened.string() << "'\n";
        fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    }

    std::map<std::string, std::string> Environment() const
    {
        auto environment = session.Environment();
        environment["PATH"] = (session.Home() / "bin").string() + ":" + std::getenv("PATH");
        return environment;
    }

    unsigned long WaitForWindow(const std::string& pattern)
    {
        unsigned long window = 0;
        EXPECT_TRUE(WaitUntil([&] { return (window = session.FindWindow(pattern)) != 0; }, 30s))
            << "waiting for the window " << pattern;
        return window;
    }

    unsigned long StartKeyboard()
    {
        app = ChildProcess({program.string()}, Environment(), session.Home() / "tapsody.out");
        return WaitForWindow("^Tapsody 1\\.7 ");
    }

    void ClickIn(unsigned long window, std::pair<int, int> at)
    {
        session.MouseMoveIn(window, at.first, at.second);
        session.MouseDown();
        session.MouseUp();
    }

    // Answers the message box in front with its default button.
    void Confirm(const std::string& pattern)
    {
        const unsigned long box = WaitForWindow(pattern);
        session.Run({"xdotool", "windowactivate", "--sync", std::to_string(box)});
        session.Run({"xdotool", "key", "Return"});
        ASSERT_TRUE(WaitUntil([&] { return session.FindWindow(pattern) != box; }))
            << "waiting for " << pattern << " to close";
    }

    // F1 reaches the keyboard once the user gives it the focus by its caption bar.
    void PressF1(unsigned long keyboard)
    {
        session.MouseMoveIn(keyboard, 300, -10);
        session.MouseDown();
        session.MouseUp();
        ASSERT_TRUE(WaitUntil([&] {
            return std::stoul(session.Run({"xdotool", "getwindowfocus"})) == keyboard;
        })) << "waiting for the keyboard to take the focus";
        session.Run({"xdotool", "key", "F1"});
    }

    void CloseDialog(unsigned long dialog, const std::string& pattern)
    {
        ClickIn(dialog, kContinue);
        ASSERT_TRUE(WaitUntil([&] { return session.FindWindow(pattern) == 0; })) << "waiting for the dialog to close";
    }

    std::vector<std::string> Opened() const
    {
        std::vector<std::string> lines;
        std::ifstream in(opened);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::string Registry() const
    {
        std::string text = ReadFile(session.Home() / ".config/tapsody/registry.reg");
        std::erase(text, '\0');
        std::erase(text, '\r');
        return text;
    }
};

TEST_F(InfoE2e, DialogOpensActsAndKeepsTheLanguageChosenInIt)
{
    const char german[] = "^Informationen zu diesem Programm$";
    const char english[] = "^Information about this program$";
    unsigned long keyboard = StartKeyboard();
    PressF1(keyboard);
    CloseDialog(WaitForWindow(german), german);

    // "Informationen" in the picture's pop-up menu, above the separator and the last entry.
    session.MouseMoveIn(keyboard, 5, 5);
    session.Run({"xdotool", "click", "3"});
    ASSERT_TRUE(WaitUntil([&] { return session.FindWindow("^Tapsody 1\\.7 ") != 0; }));
    session.Run({"xdotool", "sleep", "0.3", "key", "Up", "Up", "Return"});
    const unsigned long dialog = WaitForWindow(german);

    ClickIn(dialog, kHomepage);
    ASSERT_TRUE(WaitUntil([&] { return Opened().size() == 1; })) << "waiting for the homepage to be opened";
    ClickIn(dialog, kEMail);
    ASSERT_TRUE(WaitUntil([&] { return Opened().size() == 2; })) << "waiting for the e-mail to be opened";
    ClickIn(dialog, kLicence);
    ASSERT_TRUE(WaitUntil([&] { return Opened().size() == 3; })) << "waiting for the licence to be opened";
    const std::vector<std::string> addresses = Opened();
    EXPECT_EQ(addresses[0], "https://tapsody.example/home.htm#Tapsody1.7");
    EXPECT_EQ(addresses[1].substr(0, 7), "mailto:");
    EXPECT_TRUE(addresses[1].ends_with("@tapsody.example?subject=Tapsody 1.7")) << addresses[1];
    const fs::path germanPage = addresses[2];
    EXPECT_EQ(germanPage.filename(), "Tapsodia-Lizenz-DE.htm");
    const fs::path englishPage = germanPage.parent_path() / "Tapsodia-Licence-EN.htm";
    EXPECT_NE(ReadFile(germanPage).find("<P><A href=\"Tapsodia-Licence-EN.htm\">English</A></P>"), std::string::npos);
    EXPECT_NE(ReadFile(englishPage).find("<P><A href=\"Tapsodia-Lizenz-DE.htm\">Deutsch</A></P>"), std::string::npos);

    ClickIn(dialog, kStartMenuLink);
    Confirm("^Tapsody 1\\.7$"); // "Der Link ... wurde erstellt."
    ClickIn(dialog, kDesktopLink);
    Confirm("^Tapsody 1\\.7$");
    for (const fs::path& link :
         {session.Home() / ".local/share/applications/Tapsody.desktop", session.Home() / "Desktop/Tapsody.desktop"}) {
        ASSERT_TRUE(fs::exists(link)) << link;
        EXPECT_NE(ReadFile(link).find("Exec=" + program.string()), std::string::npos) << ReadFile(link);
        EXPECT_NE(ReadFile(link).find("Name=Tapsody\n"), std::string::npos) << ReadFile(link);
        EXPECT_NO_THROW(session.Run({"desktop-file-validate", link.string()}));
    }

    ClickIn(dialog, kEnglish);
    CloseDialog(WaitForWindow(english), english);
    EXPECT_NE(Registry().find("\"Sprache\"=dword:00000001"), std::string::npos) << Registry();
    session.Run({KEY_LOGGER, "--close", std::to_string(keyboard)}); // as the close box does
    Confirm("^Confirm$");                                           // "Quit the program?"
    ASSERT_EQ(app.WaitForExit(30s), 0);

    keyboard = StartKeyboard();
    PressF1(keyboard);
    const unsigned long again = WaitForWindow(english);
    ClickIn(again, kLicence);
    ASSERT_TRUE(WaitUntil([&] { return Opened().size() == 4; })) << "waiting for the licence to be opened";
    EXPECT_EQ(fs::path(Opened()[3]).filename(), "Tapsodia-Licence-EN.htm");
    CloseDialog(again, english);
}

} // namespace
