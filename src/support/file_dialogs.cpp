#include "support/file_dialogs.h"

#include "support/qt_text.h"
#include "support/translation.h"

#include <QFileDialog>

namespace {

std::string Ask(QFileDialog& dialog, const std::string& startFile)
{
    if (!startFile.empty())
        dialog.selectFile(FromAnsi(startFile));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return ToAnsi(dialog.selectedFiles().front());
}

} // namespace

std::string AskFileToOpen(QWidget* parent, const std::string& caption, const std::string& filter,
                          const std::string& startFile)
{
    QFileDialog dialog(parent, FromAnsi(TranslateProgramText(caption)), {}, FromAnsi(filter));
    dialog.setObjectName("OpenDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Ask(dialog, startFile);
}

std::string AskFileToSave(QWidget* parent, const std::string& caption, const std::string& filter,
                          const std::string& startFile, const std::string& defaultSuffix)
{
    QFileDialog dialog(parent, FromAnsi(TranslateProgramText(caption)), {}, FromAnsi(filter));
    dialog.setObjectName("SaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(FromAnsi(defaultSuffix));
    return Ask(dialog, startFile);
}
