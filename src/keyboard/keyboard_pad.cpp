#include "keyboard/keyboard_pad.h"

#include "keyboard/key_command.h"
#include "services/text_helpers.h"

#include <array>
#include <utility>

namespace {

void Append(std::vector<PictureRect>& areas, const std::vector<PictureRect>& more)
{
    areas.insert(areas.end(), more.begin(), more.end());
}

} // namespace

KeyboardPad::KeyboardPad(const KeyTable& table, KeyboardOutput& output, KeyboardHost& host)
    : table_(table), output_(output), host_(host)
{
}

bool KeyboardPad::IsInfoKey(int index) const
{
    return infoOffered && UpperStr(table_.Name(index)) == "INFO";
}

// A key may be pressed once a target is known; the information key always.
bool KeyboardPad::MayPress(int index) const
{
    return IsInfoKey(index) || targetwnd != 0;
}

void KeyboardPad::ImageMouseDown(Button button, int x, int y)
{
    if (button != Button::Left)
        return;
    pressedkey = -1;
    dragx = -1;
    const int key = KeyAt(table_, x, y);
    if (key >= 0) {
        if (MayPress(key)) {
            pressedkey = key;
            RedrawKeyboard();
        } else {
            host_.ShowNoTargetMessage();
        }
        return;
    }
    if (!nodrag) {
        dragx = x;
        host_.BeginWindowDrag();
    }
    dragy = y;
}

void KeyboardPad::ImageMouseMove(int x, int y)
{
    if (dragx >= 0) {
        host_.FollowWindowDrag();
        return;
    }
    if (targetwnd == 0)
        return;
    const int key = KeyAt(table_, x, y);
    if (key == -1)
        return;
    if (key == pressedkey) {
        RedrawKeyboard();
        return;
    }
    // Over another key the press shows released, and pressed again on return.
    const int pressed = std::exchange(pressedkey, -1);
    RedrawKeyboard();
    pressedkey = pressed;
}

void KeyboardPad::ImageMouseUp(int x, int y)
{
    dragx = -1;
    if (pressedkey == -1 || !MayPress(pressedkey))
        return;
    if (KeyAt(table_, x, y) == pressedkey) {
        FireKey();
        return;
    }
    pressedkey = -1;
    RedrawKeyboard();
}

void KeyboardPad::TrackForeground()
{
    const WindowHandle foreground = output_.GetForegroundWindow();
    if (foreground != 0 && foreground != targetwnd && !host_.IsOwnWindow(foreground))
        targetwnd = foreground;
}

void KeyboardPad::FireKey()
{
    if (table_.Key(pressedkey).Code < 0)
        RunCommand(pressedkey);
    else
        SendKey(pressedkey);
}

void KeyboardPad::RunCommand(int index)
{
    const std::string name = UpperStr(table_.Name(index));
    host_.Log("Tast:" + name);
    pressedkey = -1;
    switch (CommandOfName(name)) {
    case KeyCommand::ToggleAlt: latches.alt = !latches.alt; break;
    case KeyCommand::ToggleCtrl: latches.ctrl = !latches.ctrl; break;
    case KeyCommand::ToggleShift: latches.shift = !latches.shift; break;
    case KeyCommand::Close: host_.CloseKeyboard(); break;
    case KeyCommand::Info:
        if (!host_.ShowInformation()) {
            RedrawKeyboard();
            return;
        }
        break;
    case KeyCommand::CharMap: host_.OpenCharacterMap(); break;
    case KeyCommand::None: RedrawKeyboard(); return;
    }
    if (peep)
        output_.MessageBeep(0);
    RedrawKeyboard();
}

void KeyboardPad::SendKey(int index)
{
    pressedkey = -1;
    try {
        const std::int32_t code = table_.Key(index).Code;
        if (code > 0xFFFF)
            throw KeystrokeRangeError("Tastencode %s ist zu gro\xDF|" + std::to_string(code)); // "zu groß"
        const std::uint16_t virtualKey = KeystrokeCode(table_.Name(index), static_cast<std::uint16_t>(code));
        host_.Log("Key:" + std::to_string(virtualKey));
        if (peep)
            output_.MessageBeep(0);
        SendKeystroke(output_, targetwnd, virtualKey, latches, noauto);
    } catch (...) {
        RedrawKeyboard();
        throw;
    }
    RedrawKeyboard();
}

std::vector<PictureRect> KeyboardPad::Highlights() const
{
    const std::array<std::pair<const char*, bool>, 5> latchedKeys = {{
        {"ALT", latches.alt},
        {"CTRL-LINKS", latches.ctrl},
        {"CTRL-RECHTS", latches.ctrl},
        {"SHIFT-LINKS", latches.shift},
        {"SHIFT-RECHTS", latches.shift},
    }};
    std::vector<PictureRect> areas;
    for (const auto& [name, latched] : latchedKeys) {
        if (!latched)
            continue;
        if (const int key = KeyNamed(table_, name); key >= 0)
            Append(areas, HighlightAreas(table_, key));
    }
    if (pressedkey != -1 && table_.Key(pressedkey).Enabled)
        Append(areas, HighlightAreas(table_, pressedkey));
    return areas;
}

void KeyboardPad::RedrawKeyboard()
{
    host_.PaintKeyboard(Highlights());
}
