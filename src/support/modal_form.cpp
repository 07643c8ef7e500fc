#include "support/modal_form.h"

#include "support/bit_button.h"
#include "support/messages.h"

#include <QKeyEvent>

ModalForm::ModalForm(QWidget* parent)
    : QDialog(parent)
{
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
