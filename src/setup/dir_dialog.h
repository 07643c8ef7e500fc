#pragma once

#include "setup/dir_dialog_icons.h"
#include "setup/dir_view.h"
#include "support/modal_form.h"

#include <memory>
#include <string>

class QFrame;
class QLabel;
class QListWidget;
class TAbbruchbutton;
class TBinaryData;
class TBitBtn;
class TOkbutton;

// The folder chooser: a modal window listing the drives (the home folder, "/"
// and the mounted file systems) or the folders of one folder, with a button back
// to the drive list and one that makes a new folder. What it shows is decided by
// its DirView; the window shows it and hands on the user's actions.
class TDirDialog : public ModalForm {
    Q_OBJECT

public:
    explicit TDirDialog(QWidget* parent = nullptr);
    ~TDirDialog() override;

    DirView& View() { return view_; }

    void done(int result) override;
    // The controls are made when the dialog is first shown.
    void setVisible(bool visible) override;

    QFrame* Panel1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* List = nullptr;
    QFrame* Panel2 = nullptr;
    TBitBtn* NeuerOrdnerBtn = nullptr;
    TOkbutton* Okbutton = nullptr;
    TAbbruchbutton* Abbruchbutton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildComponents();
    void FormCreate();
    void FormShow();
    void FormClose();
    void ListClick();
    void listDblClick();
    // Enter, "\" and "n"; true when the key was one of them.
    bool listKeyPress(const QKeyEvent& key);
    void BitBtn1Click();
    void NeuerOrdnerBtnClick();
    // Puts the view's listing, selection, label and button states on the window.
    void ShowListing();
    void ShowSelection();

    DirView view_;
    DirIconPictures pictures_;
    std::unique_ptr<TBinaryData> sprachmemo;
};

// The program's folder chooser, set while it exists.
extern TDirDialog* DirDialog;

// Shows the program's folder chooser (made at start) modally,
// on the folder start (Windows-1252), or on the folder it showed last when start
// is "x". Returns the modal result, 1 for OK; ChosenFolder() then gives the folder.
int ChooseFolder(const std::string& start);

// The folder chooser's current path, ending in "/": after OK the folder chosen;
// empty for the drive list or when there is no folder chooser.
const std::string& ChosenFolder();
