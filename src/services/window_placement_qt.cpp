#include "services/window_placement_qt.h"

#include "services/program_files.h"
#include "services/window_placement.h"
#include "support/ini_file.h"

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

} // namespace

std::unique_ptr<tinifile2> OpenSettings(QWidget* window, bool restore, const std::string& prefix)
{
    CarryOverSettingsFile();
    auto settings = std::make_unique<tinifile2>(SettingsFileName());
    if (restore) {
        const bool storesSize = StoresSize(*window);
        const WindowGeometry current{window->x(), window->y(), window->width(), window->height()};
        const WindowGeometry stored = ReadPlacement(*settings, PlacementSection(prefix, WindowName(*window)),
                                                    current, storesSize, ScreenAreas());
        window->move(stored.left, stored.top);
        if (storesSize)
            window->resize(stored.width, stored.height);
    }
    return settings;
}

std::unique_ptr<tinifile2> SaveWindowPlacement(QWidget* window, const std::string& prefix)
{
    // The normal rectangle is stored, also for a minimised or maximised window.
    WindowGeometry normal{window->x(), window->y(), window->width(), window->height()};
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        const QPoint frameOffset = window->geometry().topLeft() - window->pos();
        const QRect restored = window->normalGeometry();
        normal = {restored.x() - frameOffset.x(), restored.y() - frameOffset.y(), restored.width(),
                  restored.height()};
        window->setWindowState(Qt::WindowNoState);
    }
    auto settings = std::make_unique<tinifile2>(SettingsFileName());
    WritePlacement(*settings, PlacementSection(prefix, WindowName(*window)), normal, StoresSize(*window));
    return settings;
}
