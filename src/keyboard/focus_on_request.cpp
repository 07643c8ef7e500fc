#include "keyboard/focus_on_request.h"

#include "platform/focus_offers.h"

#include <QCoreApplication>
#include <QWidget>

FocusOnRequest::FocusOnRequest(QWidget& window, FocusOffers& offers) : window_(window), offers_(offers)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

FocusOnRequest::~FocusOnRequest()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool FocusOnRequest::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    const QRect picture = window_.rect();
    offers_.OnSystemEvent(std::string_view(eventType.constData(), static_cast<std::size_t>(eventType.size())), message,
                          window_.internalWinId(),
                          WindowArea{picture.x(), picture.y(), picture.width(), picture.height()});
    return false;
}
