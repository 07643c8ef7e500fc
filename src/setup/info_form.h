#pragma once

#include "setup/setup_wizard.h"
#include "support/modal_form.h"

#include <memory>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TAbbruchbutton;
class TBinaryData;
class TBitBtn;
class TMyCheckBox;
class TMyLabel;
class TOkbutton;

// The information form: created at start-up, it decides the program's role
// (CheckInstallation). When the program is not installed it is shown as the
// setup wizard (pages 0 to 3); an installed program shows it as the information
// dialog (page 10): vendor and title, the language choice, links, the licence
// as a web page and the contact addresses.
class Tinfoform : public ModalForm, private SetupHost {
    Q_OBJECT

public:
    explicit Tinfoform(QWidget* parent = nullptr);
    ~Tinfoform() override;

    SetupWizard& Wizard() { return wizard_; }
    // Lays the form out for the current page.
    void ShowPage();

    void weClick();
    void zuClick();
    void abClick();
    void ChooseDirbtnClick();
    void homepagebtnClick();
    void EMailbtnClick();
    void LinkStartmenubtnClick();
    void DesktopLinkClick();
    void LizenzbtnClick();
    // The language choice: switches every window to the language of the item (0 German, 1 English).
    void SprachgroupClick(int index);

    void reject() override;
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void CreateComponents();
    void SetUpAppearance();
    void PlaceButtons();
    void ShowLicencePage();
    void ShowOptionsPage();
    void ShowInformationPage();
    void CreateInformationComponents();
    void ApplyVisibility(const SetupPageContent& content);

    // SetupHost
    void SwitchLanguage(int language) override;
    void ShowModal() override;
    void Close() override;
    InstallIcons Icons() override;

    SetupWizard wizard_{*this};
    std::unique_ptr<TBinaryData> trans;
    std::unique_ptr<TBinaryData> lizenzde;
    std::unique_ptr<TBinaryData> lizenzen;

    QWidget* client = nullptr; // the area inside the border
    QLabel* icon = nullptr;
    TMyLabel* ca1 = nullptr;
    TMyLabel* ca2 = nullptr;
    TMyLabel* ca3 = nullptr;
    QFrame* be = nullptr;
    QFrame* B2 = nullptr;
    TOkbutton* we = nullptr;
    TAbbruchbutton* ab = nullptr;
    QPushButton* zu = nullptr;
    QPlainTextEdit* Memo = nullptr;
    TBitBtn* htmlbtn = nullptr;
    QLineEdit* Pfadtxt = nullptr;
    TBitBtn* ChooseDirbtn = nullptr;
    TMyCheckBox* tc1 = nullptr;
    TMyCheckBox* tc2 = nullptr;
    TBitBtn* homepagebtn = nullptr;
    // The information page.
    QGroupBox* Sprachgroup = nullptr;
    QButtonGroup* languageItems = nullptr;
    QPushButton* LinkStartmenubtn = nullptr;
    QPushButton* DesktopLink = nullptr;
    QPushButton* Lizenzbtn = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    TMyLabel* MyLabel2 = nullptr;
    TMyLabel* MyLabel1 = nullptr;
    TBitBtn* EMailbtn = nullptr;
};

// The program's information form, set while it exists.
extern Tinfoform* Infoform;
