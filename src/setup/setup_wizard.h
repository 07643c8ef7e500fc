#pragma once

#include "setup/install_step.h"
#include "setup/setup_pages.h"

// What the wizard needs of the form that shows it.
class SetupHost {
public:
    virtual ~SetupHost() = default;
    // Switches every window to the language (0 German, 1 English).
    virtual void SwitchLanguage(int language) = 0;
    // Lays the form out for the wizard's page and choice.
    virtual void ShowPage() = 0;
    // Shows the form modally until it is closed.
    virtual void ShowModal() = 0;
    // Closes the form (the information page's forward button).
    virtual void Close() = 0;
    // The icon pictures an installation puts beside the program.
    virtual InstallIcons Icons() = 0;
};

// The setup wizard's steps: forward, back, cancel and closing, page by page.
// Every way out of the wizard ends the program through QuitProgram, after
// starting the installed copy when the installation is finished.
class SetupWizard {
public:
    explicit SetupWizard(SetupHost& host) : host_(host) {}

    int Page() const { return page_; }
    void SetPage(int page) { page_ = page; }
    // The options page's folder and link boxes.
    InstallChoice& Choice() { return choice_; }
    const InstallChoice& Choice() const { return choice_; }

    // The forward button: on the options page it installs, and stays there when that fails.
    void Forward();
    // The back button (" English" on the welcome page).
    void Back();
    // The cancel button: asks, and ends the program on Yes.
    void Cancel();
    // Whether the window may close: the wizard asks and ends the program on
    // Yes; the information page closes, or ends a program that is not installed.
    bool CloseQuery(bool programInstalled);

private:
    [[noreturn]] void StartInstalledCopy();

    SetupHost& host_;
    int page_ = InformationPage;
    InstallChoice choice_;
};
