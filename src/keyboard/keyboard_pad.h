#pragma once

#include "keyboard/key_hit_test.h"
#include "keyboard/keystroke.h"
#include "layout/key_table.h"
#include "platform/keyboard_output.h"

#include <string>
#include <vector>

// What the keyboard's mouse handling asks of its window.
class KeyboardHost {
public:
    virtual ~KeyboardHost() = default;
    // Shows the picture afresh with the areas inverted, in this order (an area
    // inverted twice shows normal).
    virtual void PaintKeyboard(const std::vector<PictureRect>& inverted) = 0;
    // A drag of the window: the start remembers where the window and the pointer
    // stand; each follow puts the grabbed point back under the pointer.
    virtual void BeginWindowDrag() = 0;
    virtual void FollowWindowDrag() = 0;
    // Tells the user that no window has been in front yet, with the tracking paused.
    virtual void ShowNoTargetMessage() = 0;
    // The window's own close path (which may ask first).
    virtual void CloseKeyboard() = 0;
    // Shows the information dialog; false while the program offers none.
    virtual bool ShowInformation() = 0;
    virtual void OpenCharacterMap() = 0;
    // Whether the window belongs to this program (the keyboard or one of its dialogs).
    virtual bool IsOwnWindow(WindowHandle window) const = 0;
    virtual void Log(const std::string& line) = 0;
};

// The keyboard window's state: the pressed key, a window drag, the modifier
// latches and the target window, with the picture's mouse handlers and the
// carrying out of keys. Picture coordinates throughout.
class KeyboardPad {
public:
    KeyboardPad(const KeyTable& table, KeyboardOutput& output, KeyboardHost& host);

    enum class Button { Left, Right, Middle };

    void ImageMouseDown(Button button, int x, int y);
    void ImageMouseMove(int x, int y);
    void ImageMouseUp(int x, int y);

    // Timer1's tick: remembers the foreground window unless it is none or our own.
    void TrackForeground();

    // Carries out the pressed key and ends with no key pressed and a redraw.
    void FireKey();
    // The inverted areas of a redraw: latched modifiers, then the pressed key.
    std::vector<PictureRect> Highlights() const;
    void RedrawKeyboard();

    int pressedkey = -1;
    int dragx = -1;
    int dragy = -1;
    bool nodrag = false;
    ModifierLatches latches;
    WindowHandle targetwnd = 0;
    // The menu's check marks "Peep bei Tastendruck" and "Kein Autoselect".
    bool peep = false;
    bool noauto = false;
    // Whether the program offers the information dialog (its "INFO" key).
    bool infoOffered = false;

private:
    bool IsInfoKey(int index) const;
    bool MayPress(int index) const;
    void RunCommand(int index);
    void SendKey(int index);

    const KeyTable& table_;
    KeyboardOutput& output_;
    KeyboardHost& host_;
};
