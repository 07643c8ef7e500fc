#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `act` on the modal window as soon as it is shown, from the event loop the
// modal window runs. Gives up on a window that never appears after a while.
inline void WhenModalShown(std::function<void(QWidget*)> act, int attemptsLeft = 200)
{
    QTimer::singleShot(10, [act = std::move(act), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible())
            act(modal);
        else if (attemptsLeft > 0)
            WhenModalShown(std::move(act), attemptsLeft - 1);
    });
}

// text: what the key types, for handlers that look at the character.
inline void PressKey(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}
