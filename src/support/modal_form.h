#pragma once

#include <QDialog>

// The base of the program's modal windows. Escape presses the first button marked
// Cancel (and does nothing when there is none); closing the window by its close
// box ends it with result 2; Enter presses the default or focused button.
class ModalForm : public QDialog {
    Q_OBJECT

public:
    explicit ModalForm(QWidget* parent = nullptr);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
