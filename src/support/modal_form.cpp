#include "support/modal_form.h"

#include "support/bit_button.h"
#include "support/messages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {

bool StaysOnTop(const QWidget& window)
{
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// The window a new dialog is shown over; nullptr when it stands alone.
QWidget* OwnerFor(const QWidget& window)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != &window && modal->isVisible())
        return modal;
    for (QWidget* candidate : QApplication::topLevelWidgets())
        if (candidate != &window && candidate->isVisible() && candidate->windowType() == Qt::Window &&
            StaysOnTop(*candidate))
            return candidate;
    return window.parentWidget() ? window.parentWidget()->window() : nullptr;
}

void Activate(QWidget& window)
{
    window.raise();
    window.activateWindow();
}

} // namespace

void PlaceInFront(QWidget& window)
{
    QWidget* owner = OwnerFor(window);
    Qt::WindowFlags flags = window.windowFlags();
    if (!owner || StaysOnTop(*owner))
        flags |= Qt::WindowStaysOnTopHint;
    // A window with a parent widget is transient for that widget's window.
    if (owner && window.parentWidget() != owner)
        window.setParent(owner, flags);
    else
        window.setWindowFlags(flags);
}

int ExecInFront(QDialog& dialog)
{
    PlaceInFront(dialog);
    // exec shows the dialog itself, once it has made it modal.
    QTimer::singleShot(0, &dialog, [&dialog] { Activate(dialog); });
    return dialog.exec();
}

void ShowInFront(QWidget& window)
{
    PlaceInFront(window);
    window.show();
    Activate(window);
}

ModalForm::ModalForm(QWidget* parent) : QDialog(parent)
{
}

int ModalForm::exec()
{
    PlaceInFront(*this);
    return QDialog::exec();
}

void ModalForm::open()
{
    PlaceInFront(*this);
    QDialog::open();
}

void ModalForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Activate(*this);
}

void ModalForm::reject()
{
    done(mrCancel);
}

void ModalForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    for (TBitBtn* button : findChildren<TBitBtn*>()) {
        if (button->Cancel() && button->isVisible() && button->isEnabled()) {
            button->click();
            break;
        }
    }
    event->accept();
}
