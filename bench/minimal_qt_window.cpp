// The floor the keyboard program is measured against: a bare Qt Widgets window,
// always on top and never taking the focus, that shows the keyboard picture and
// types "a" through XTEST when the mouse button goes up on it. Nothing else.
// With --tick it also wakes every 200 ms and does nothing, which shows what a
// tracking tick alone costs while idle.
//
//   minimal_qt_window [--tick] picture.bmp

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstring>

namespace {

class PictureWindow : public QWidget {
public:
    PictureWindow(QImage picture, Display* display)
        : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
          picture_(std::move(picture)), display_(display), keycode_(XKeysymToKeycode(display, XK_a))
    {
        setWindowTitle(QStringLiteral("Minimal Qt window"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(picture_.size());
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture_); }

    void mouseReleaseEvent(QMouseEvent*) override
    {
        XTestFakeKeyEvent(display_, keycode_, True, CurrentTime);
        XTestFakeKeyEvent(display_, keycode_, False, CurrentTime);
        XFlush(display_);
    }

private:
    QImage picture_;
    Display* display_;
    unsigned int keycode_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const bool tick = argc == 3 && std::strcmp(argv[1], "--tick") == 0;
    if (argc != 2 && !tick) {
        std::fputs("usage: minimal_qt_window [--tick] picture.bmp\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    QFile file(QString::fromLocal8Bit(argv[argc - 1]));
    QImage picture;
    if (!display || !file.open(QIODevice::ReadOnly) || !picture.loadFromData(file.readAll(), "BMP")) {
        std::fputs("minimal_qt_window: no display or no picture\n", stderr);
        return 1;
    }
    PictureWindow window(picture.convertToFormat(QImage::Format_RGB32), display);
    window.show();
    QTimer idleTick;
    if (tick)
        idleTick.start(200);
    const int result = QApplication::exec();
    XCloseDisplay(display);
    return result;
}
