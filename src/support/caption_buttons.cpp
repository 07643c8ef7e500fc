#include "support/caption_buttons.h"

#include "platform/platform.h"

#include <QEvent>
#include <QWidget>

namespace {

// The show event comes after Qt has written its own hints and before the window is mapped.
class CaptionButtonsOnShow : public QObject {
public:
    CaptionButtonsOnShow(QWidget& window, std::uint32_t buttons) : QObject(&window), window_(window), buttons_(buttons)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Show || window_.windowFlags().testFlag(Qt::FramelessWindowHint))
            return false;
        if (const Platform* platform = InstalledPlatform(); platform && platform->desktop)
            platform->desktop->SetCaptionButtons(window_.winId(), buttons_);
        return false;
    }

private:
    QWidget& window_;
    std::uint32_t buttons_;
};

} // namespace

void DeclareCaptionButtons(QWidget& window, std::uint32_t buttons)
{
    new CaptionButtonsOnShow(window, buttons);
}
