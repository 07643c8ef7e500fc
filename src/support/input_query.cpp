#include "support/input_query.h"

#include "support/bit_button.h"
#include "support/messages.h"
#include "support/modal_form.h"
#include "support/qt_text.h"
#include "support/translation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value, QWidget* parent)
{
    ModalForm dialog(parent);
    dialog.setObjectName(QStringLiteral("InputQuery"));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(FromAnsi(TranslateProgramText(caption)));

    auto* label = new QLabel(FromAnsi(TranslateProgramText(prompt)), &dialog);
    auto* edit = new QLineEdit(FromAnsi(value), &dialog);
    edit->setObjectName(QStringLiteral("Edit"));
    edit->setMinimumWidth(260);
    label->setBuddy(edit);
    auto* ok = new TOkbutton(&dialog);
    ok->SetCaption(TranslateProgramText(ok->Caption()));
    auto* cancel = new TAbbruchbutton(&dialog);
    cancel->SetCaption(TranslateProgramText(cancel->Caption()));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    edit->selectAll();
    edit->setFocus();
    if (dialog.exec() != mrOk)
        return false;
    value = ToAnsi(edit->text());
    return true;
}
