#pragma once

#include "keyboard/keyboard_pad.h"

#include <QWidget>

#include <functional>
#include <memory>

class FocusOnRequest;
class QAction;
class QMenu;
class QTimer;
class TBinaryData;
class TKeyboardImage;

// How the information dialog is shown modally; start-up sets it once the dialog
// exists. The menu's "Informationen", F1 and the key "INFO" open it.
void SetInformationDialog(std::function<void()> show);

// The keyboard window: always on top, sized to the keyboard picture, never taking
// the keyboard focus from the window it types into. It remembers the last other
// window in front (Timer1, every 200 ms), offers its options in a pop-up menu on
// the picture, and hands the picture's mouse to its KeyboardPad.
class TMainform : public QWidget, private KeyboardHost {
    Q_OBJECT

public:
    // The key table and the picture come from the layout editor window
    // (Layoutform), which is created after this one; they are read from FormShow on.
    explicit TMainform(KeyboardOutput& output);
    ~TMainform() override;

    // Reads the options and the placement, applies "/i" and "/m", shows the
    // picture and starts the tracking; then shows the window.
    void ShowKeyboard();

    KeyboardPad* Pad() { return pad_.get(); }
    // The menu's check marks.
    bool BeepOn() const;
    bool AskBeforeEnd() const;
    bool NoAutoselect() const;

    void peepchkClick();
    void noautoClick();
    void InfobtnClick();
    // Opens the layout editor.
    void LayoutbtnClick();
    void Timer1Timer();
    void FetchPicture();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void ApplySwitches();
    void SizeToPicture();
    void BuildMenu();
    void ConnectImage();

    // KeyboardHost
    void PaintKeyboard(const std::vector<PictureRect>& inverted) override;
    void BeginWindowDrag() override;
    void FollowWindowDrag() override;
    void ShowNoTargetMessage() override;
    void CloseKeyboard() override;
    bool ShowInformation() override;
    void OpenCharacterMap() override;
    bool IsOwnWindow(WindowHandle window) const override;
    void Log(const std::string& line) override;

    // Runs a handler of the pad; an error ends only that handler, with a report.
    template <typename Handler>
    void Guarded(Handler handler);

    KeyboardOutput& output_;
    std::unique_ptr<KeyboardPad> pad_;
    TKeyboardImage* Image = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* peepchk = nullptr;
    QAction* Fragenvorbeenden1 = nullptr;
    QAction* noauto = nullptr;
    QAction* Infobtn = nullptr;
    QAction* Layoutbtn = nullptr;
    QTimer* Timer1 = nullptr;
    // Where the frame and the pointer stood on the screen when the drag began.
    QPoint dragFrame_;
    QPoint dragPointer_;
    std::unique_ptr<TBinaryData> sprachmemo;
    std::unique_ptr<FocusOnRequest> focusOnRequest_;
};
