#pragma once

#include "support/check_box_state.h"

#include <QWidget>

#include <string>

class TMyLabel;

// A check box drawn by the program, with its caption in a TMyLabel beside the
// square. States: 0 unchecked, 1 checked, 2 grayed (only with AllowGrayed). With
// AllDisable, checking it disables the other controls of its parent and
// unchecking enables them again. clicked() fires on every change of the state.
class TMyCheckBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ CaptionText WRITE SetCaptionText)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(int State READ StateValue WRITE SetStateValue)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(bool AllDisable READ AllDisable WRITE SetAllDisable)

public:
    explicit TMyCheckBox(QWidget* parent = nullptr, const std::string& caption = {});

    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& text);
    QString CaptionText() const;
    void SetCaptionText(const QString& text);

    std::uint8_t State() const { return state; }
    void SetState(std::uint8_t requested);
    bool Checked() const { return state == csChecked; }
    void SetChecked(bool checked) { SetState(checked ? csChecked : csUnchecked); }
    bool AllowGrayed() const { return allowGrayed; }
    void SetAllowGrayed(bool allowed) { allowGrayed = allowed; }
    bool AllDisable() const { return allDisable; }
    // Takes effect with the next change of the state.
    void SetAllDisable(bool on) { allDisable = on; }

    TMyLabel* Label() const { return label; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int StateValue() const { return state; }
    void SetStateValue(int value) { SetState(static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value)); }
    void LabelClick();
    void FitToCaption();
    void EnableSiblings(bool enabled);
    void DrawSquare(QPainter& painter);

    std::string caption;
    TMyLabel* label;
    bool allowGrayed = false;
    bool allDisable = false;
    std::uint8_t state = csUnchecked;
};
