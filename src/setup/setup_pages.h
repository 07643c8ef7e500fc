#pragma once

#include <string>

// What each page of the setup wizard shows: texts, buttons and which controls
// are visible. Where they sit is the form's business. Texts are translated
// program texts (Windows-1252, CR between lines).

enum SetupPageNumber { WelcomePage = 0, LicencePage = 1, OptionsPage = 2, FinishedPage = 3, InformationPage = 10 };

// Bits of the button mask.
enum : int { ShowCancel = 1, ShowForward = 2, ShowBack = 4, ShowFolder = 8 };

enum class SetupFocus { Default, Forward, Cancel, Licence };

struct SetupPageContent {
    std::string caption;       // of the form
    std::string heading;       // ca1
    std::string text;          // ca2
    std::string optionsText;   // ca3, shown on the options page only
    std::string startMenuLink; // tc1, options page only
    std::string desktopLink;   // tc2, options page only
    int mask = ShowCancel;
    std::string forwardCaption;
    std::string cancelCaption;
    std::string backCaption;
    bool licence = false;     // the licence text and its web-page button
    bool options = false;     // the link boxes and ca3
    bool information = false; // the information page's buttons, language choice and contact box
    SetupFocus focus = SetupFocus::Default;

    bool Shows(int bit) const { return (mask & bit) != 0; }
};

// The content of a wizard page (0 to 3) or of the information page (10). An
// unknown page shows only the caption and the cancel button.
SetupPageContent SetupPage(int page);

// The licence page's text below the document: "Yes" accepts the licence.
std::string LicenceQuestion();
