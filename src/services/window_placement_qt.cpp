#include "services/window_placement_qt.h"

#include "platform/platform.h"
#include "services/program_files.h"
#include "services/window_placement.h"
#include "support/ini_file.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// A resizable main-type window: not a dialog, and it offers a maximise button
// (a window that sets its own buttons says so; a fixed-size window has none).
bool StoresSize(const QWidget& window)
{
    const Qt::WindowFlags flags = window.windowFlags();
    const bool dialog = window.windowType() == Qt::Dialog || window.windowType() == Qt::Sheet;
    const bool fixedSize = window.minimumSize() == window.maximumSize();
    const bool maximizeButton =
        !fixedSize && (!flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowMaximizeButtonHint));
    return StoresWindowSize(maximizeButton, dialog);
}

std::vector<TRect> ScreenAreas()
{
    std::vector<TRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        areas.push_back({area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
    }
    return areas;
}

std::string WindowName(const QWidget& window)
{
    return window.objectName().toStdString();
}

WindowGeometry GeometryOf(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// The window manager frames a window only once it is shown: when a window brought
// back onto the screen gets its frame, the frame is moved onto the screen too.
class FrameFitter : public QObject {
public:
    explicit FrameFitter(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            deleteLater();
        } else if (event->type() == QEvent::Move && window_.frameGeometry() != window_.geometry()) {
            const WindowGeometry fitted = FitOnNearestScreen(GeometryOf(window_.frameGeometry()), ScreenAreas());
            if (fitted.left != window_.x() || fitted.top != window_.y())
                window_.move(fitted.left, fitted.top);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

std::unique_ptr<tinifile2> OpenSettings(QWidget* window, bool restore, const std::string& prefix)
{
    CarryOverSettingsFile();
    auto settings = std::make_unique<tinifile2>(SettingsFileName());
    if (restore) {
        const bool storesSize = StoresSize(*window);
        const WindowGeometry current{window->x(), window->y(), window->width(), window->height()};
        const std::string section = PlacementSection(prefix, WindowName(*window));
        const WindowGeometry asStored = ReadPlacement(*settings, section, current, storesSize, {});
        const WindowGeometry stored = KeepOnScreen(asStored, ScreenAreas());
        window->move(stored.left, stored.top);
        if (storesSize)
            window->resize(stored.width, stored.height);
        if (stored.left != asStored.left || stored.top != asStored.top)
            new FrameFitter(*window);
    }
    return settings;
}

QPoint FramePosition(const QWidget& window)
{
    const Platform* platform = InstalledPlatform();
    std::int32_t left = 0, top = 0;
    if (window.isVisible() && platform && platform->desktop &&
        platform->desktop->FrameOrigin(window.internalWinId(), left, top))
        return {left, top};
    return window.pos();
}

std::unique_ptr<tinifile2> SaveWindowPlacement(QWidget* window, const std::string& prefix)
{
    // The normal rectangle is stored, also for a minimised or maximised window.
    const QPoint frame = FramePosition(*window);
    WindowGeometry normal{frame.x(), frame.y(), window->width(), window->height()};
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        const QPoint frameOffset = window->geometry().topLeft() - window->pos();
        const QRect restored = window->normalGeometry();
        normal = {restored.x() - frameOffset.x(), restored.y() - frameOffset.y(), restored.width(), restored.height()};
        window->setWindowState(Qt::WindowNoState);
    }
    auto settings = std::make_unique<tinifile2>(SettingsFileName());
    WritePlacement(*settings, PlacementSection(prefix, WindowName(*window)), normal, StoresSize(*window));
    return settings;
}
