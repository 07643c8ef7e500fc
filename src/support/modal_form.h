#pragma once

#include <QDialog>

// Every dialog, message and modal form of the program comes up in front of the
// program's own windows, however they stay on top, and takes the keyboard focus:
//   - it belongs to the window it is shown over (it is transient for it): the
//     modal window already open, else the program's always-on-top window (the
//     keyboard), else the window of its parent widget;
//   - it stays on top while that window does, and when it stands alone (a
//     message at start-up must be seen over a keyboard already running);
//   - once shown it is raised and activated, so Enter and Escape reach it.
// ModalForm does this by itself; a dialog of another class is shown through
// ExecInFront, a window that is not modal through ShowInFront.
void PlaceInFront(QWidget& window);
int ExecInFront(QDialog& dialog);
void ShowInFront(QWidget& window);

// The base of the program's modal windows. Escape presses the first button marked
// Cancel (and does nothing when there is none); closing the window by its close
// box ends it with result 2; Enter presses the default or focused button.
class ModalForm : public QDialog {
    Q_OBJECT

public:
    explicit ModalForm(QWidget* parent = nullptr);

    int exec() override;
    void open() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
