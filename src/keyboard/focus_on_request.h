#pragma once

#include <QAbstractNativeEventFilter>

class FocusOffers;
class QWidget;

// The keyboard window declines the focus, yet F1 has to reach it when the user
// deliberately gives it the focus. This filter passes the window system's events
// to the platform, which takes the focus it offers unless the pointer is on the
// picture, where the offer comes from a click on a key; the caption bar lies
// outside the picture.
class FocusOnRequest : public QAbstractNativeEventFilter {
public:
    FocusOnRequest(QWidget& window, FocusOffers& offers);
    ~FocusOnRequest() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    QWidget& window_;
    FocusOffers& offers_;
};
