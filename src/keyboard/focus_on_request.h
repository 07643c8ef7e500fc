#pragma once

#include <QAbstractNativeEventFilter>

class QWidget;

// The keyboard window declines the focus (a click on a key must leave the target
// window, and any menu open in it, as they are), yet F1 has to reach it when the
// user deliberately gives it the focus. The window manager offers the focus with
// WM_TAKE_FOCUS; this filter takes it unless the pointer is on the picture, where
// the offer comes from a click on a key.
class FocusOnRequest : public QAbstractNativeEventFilter {
public:
    explicit FocusOnRequest(QWidget& window);
    ~FocusOnRequest() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool PointerOnPicture() const;

    QWidget& window_;
};
