#pragma once

#include "layout/key_placement.h"
#include "layout/key_table.h"
#include "layout/layout_reader.h"
#include "support/modal_form.h"

#include <QImage>

#include <memory>
#include <string>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QScrollArea;
class QSpinBox;
class QToolButton;
class TBinaryData;
class TLayoutImage;

// The layout editor window. It owns the key table and the keyboard picture for
// the life of the program: its creation builds the table from the stored key
// list and the layout in use (the file last saved or loaded, else the stored
// layout) and loads the stored picture. The program creates it hidden and the
// keyboard window reads the table and the picture from it; its controls are
// made when it is first shown. The user picks a key in the list and presses and
// drags on the picture to place it; every change goes to the table at once.
class TLayoutform : public ModalForm {
    Q_OBJECT

public:
    explicit TLayoutform(QWidget* parent = nullptr);
    ~TLayoutform() override;

    KeyTable& Keys() { return table_; }
    const KeyTable& Keys() const { return table_; }
    // The keyboard picture; null when no picture could be loaded.
    const QImage& Picture() const { return picture_; }
    const LayoutBoxes& Boxes() const { return boxes_; }
    // The layout file in use; empty while the stored layout is.
    const std::string& LayoutFileName() const { return layoutFileName_; }

    // Shows the window, not modally, in front.
    void ShowEditor();

    // "Belegung": asks for a layout file and loads it (after offering to save
    // changes, as "Standardbelegung" does).
    void loadbtnClick();
    // Saves to the layout file in use, or to "layout.ini" in the program folder.
    void savebtnClick();
    // "Sichern als...": asks for a file name and saves there.
    void BitBtn4Click();
    // "Standardbelegung": back to the stored layout.
    void standardbtnClick();
    // Fills the picture from the stored picture record when it is a bitmap.
    void reloadbtnClick();
    // Disables every key; their places stay.
    void neubtnClick();
    void zoomchkClick();
    void listClick();
    void tatgroupClick();
    // Mouse on the picture, in the coordinates of the shown (maybe zoomed) picture.
    void ImageMouseDown(QPoint at);
    void ImageMouseMove(QPoint at);
    void ImageMouseUp();

    // Makes the file (the stored layout for an empty name) the layout in use:
    // loads it, remembers it in the settings and shows it. A file that does not
    // load is refused with a message, and the table stays as it was; false then.
    bool OpenLayoutFile(const std::string& fileName);
    // Writes the table to the file and makes it the layout in use; false (after
    // a message) when it could not be written.
    bool SaveLayoutFile(const std::string& fileName);

    // Before the window closes or the program ends: offers to save changes not
    // saved yet. False when the user cancels, or the layout could not be saved.
    bool SaveQuery();

signals:
    // The table changed: the keyboard shows and hit-tests the keys anew.
    void KeysChanged();

protected:
    void done(int result) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void BuildKeyList();
    void LoadLayout();
    void LoadLayoutInUse();
    void UseLayoutFile(const std::string& fileName);
    void CreateControls();
    void CentreOnScreen();
    QWidget* CreateTopBar();
    QWidget* CreateKeyColumn();
    void ShowCaption();
    void ShowBoxes();
    void ShowKeyStates();
    void ShowKeyState(int index);
    void ShowPicture();
    void ToggleOutline(bool show);
    int Zoom() const;
    void Changed();

    KeyTable table_;
    QImage picture_;
    LayoutBoxes boxes_;
    std::string layoutFileName_;
    // The table was changed since it was loaded or saved.
    bool modified_ = false;
    std::unique_ptr<TBinaryData> tastenmemo_;
    std::unique_ptr<TBinaryData> belegmemo_;
    std::unique_ptr<TBinaryData> bildmemo_;
    std::unique_ptr<TBinaryData> sprachmemo_;

    int selkey = -1;
    bool outlineshown = false;
    bool dragging = false;
    DragOrigin dragorigin;

    // Made when the window is first shown.
    QToolButton* neubtn = nullptr;
    QToolButton* loadbtn = nullptr;
    QToolButton* savebtn = nullptr;
    QToolButton* BitBtn4 = nullptr;
    QToolButton* reloadbtn = nullptr;
    QCheckBox* zoomchk = nullptr;
    QListWidget* list = nullptr;
    QGroupBox* tatgroup = nullptr;
    QButtonGroup* tatgroupItems = nullptr;
    QSpinBox* breitespin = nullptr;
    QSpinBox* hoehespin = nullptr;
    QCheckBox* vorgabechk = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TLayoutImage* Image = nullptr;
};

// The program's layout editor window, set while it exists.
extern TLayoutform* Layoutform;
