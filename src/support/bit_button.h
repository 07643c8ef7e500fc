#pragma once

#include "support/message_dialog_layout.h"

#include <QPushButton>

#include <string>

// A push button with a glyph and a modal result: clicking it ends the dialog it
// sits in (a QDialog) with that result. A button marked Cancel is the one Escape
// presses in a ModalForm. New buttons are 75 x 25 with the hand cursor.
class TBitBtn : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)

public:
    explicit TBitBtn(QWidget* parent = nullptr);

    int ModalResult() const { return modalResult; }
    void SetModalResult(int result) { modalResult = result; }
    bool Cancel() const { return cancel; }
    void SetCancel(bool escapePresses) { cancel = escapePresses; }

    void SetGlyph(ButtonGlyph glyph);
    // The caption as a program text (Windows-1252, "&" marks the accelerator).
    std::string Caption() const;
    void SetCaption(const std::string& caption);

private:
    void EndDialog();

    int modalResult = 0;
    bool cancel = false;
};

// The OK button: default button, result 1, check-mark glyph, caption "&Ok".
class TOkbutton : public TBitBtn {
    Q_OBJECT

public:
    explicit TOkbutton(QWidget* parent = nullptr);
};

// The cancel button: Escape presses it, result 2, cross glyph, caption "&Abbruch".
class TAbbruchbutton : public TBitBtn {
    Q_OBJECT

public:
    explicit TAbbruchbutton(QWidget* parent = nullptr);
};
