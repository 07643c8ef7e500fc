// Time to handle one pointer move over a key: the hit test, the pad's decision
// and the redraw (the highlights that changed inverted back or anew).

#include "datastore/window_records.h"
#include "keyboard/keyboard_image.h"
#include "keyboard/keyboard_pad.h"
#include "layout/layout_form.h"
#include "platform/platform.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

class NullOutput : public KeyboardOutput {
public:
    std::uint32_t MapKeyCode(std::uint32_t, KeyMapping) override { return 0; }
    void KeybdEvent(std::uint8_t, std::uint8_t, std::uint32_t) override {}
    WindowHandle GetForegroundWindow() override { return 0; }
    bool SetForegroundWindow(WindowHandle) override { return true; }
    std::uint32_t GetForegroundLockTimeout() override { return 0; }
    void SetForegroundLockTimeout(std::uint32_t) override {}
    void MessageBeep(std::uint32_t) override {}
};

// Paints into the real picture control, as the keyboard window does.
class ImageHost : public KeyboardHost {
public:
    ImageHost(TKeyboardImage& image, const QImage& picture) : image_(image), picture_(picture) {}
    void PaintKeyboard(const std::vector<PictureRect>& inverted) override { image_.ShowPicture(picture_, inverted); }
    void BeginWindowDrag() override {}
    void FollowWindowDrag() override {}
    void ShowNoTargetMessage() override {}
    void CloseKeyboard() override {}
    bool ShowInformation() override { return false; }
    void OpenCharacterMap() override {}
    bool IsOwnWindow(WindowHandle) const override { return false; }
    void Log(const std::string&) override {}

private:
    TKeyboardImage& image_;
    const QImage& picture_;
};

// Moves to and fro between two keys while "a" is pressed and Shift latched.
void PointerMoveOverKeys(benchmark::State& state)
{
    TLayoutform layout;
    TKeyboardImage image;
    NullOutput output;
    ImageHost host(image, layout.Picture());
    KeyboardPad pad(layout.Keys(), output, host);
    pad.targetwnd = 1;
    pad.latches.shift = true;
    const TKeyRecord& a = layout.Keys().Key(KeyNamed(layout.Keys(), "A"));
    const TKeyRecord& s = layout.Keys().Key(KeyNamed(layout.Keys(), "S"));
    pad.ImageMouseDown(KeyboardPad::Button::Left, a.p0x + 5, a.p0y + 5);
    bool onA = false;
    for (auto _ : state) {
        const TKeyRecord& key = onA ? s : a;
        pad.ImageMouseMove(key.p0x + 5, key.p0y + 5);
        onA = !onA;
        benchmark::DoNotOptimize(image.Canvas().constBits());
    }
    state.SetLabel(std::to_string(layout.Picture().width()) + "x" + std::to_string(layout.Picture().height()));
}
BENCHMARK(PointerMoveOverKeys)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallNativePlatform(); // the layout form reads the settings file
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
