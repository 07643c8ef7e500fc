#pragma once

#include <QRadioButton>

#include <string>

class TMyLabel;

// A radio button whose caption is drawn by a TMyLabel beside the round button;
// the button's own text stays empty. Gaining the focus checks it and fires
// clicked(); clicking the caption does the same as clicking the button.
class TMyRadioButton : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ CaptionText WRITE SetCaptionText)

public:
    explicit TMyRadioButton(QWidget* parent = nullptr, const std::string& caption = {});

    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& text);
    QString CaptionText() const;
    void SetCaptionText(const QString& text);

    TMyLabel* Label() const { return label; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitToLabel();
    void LabelClick();

    std::string caption;
    TMyLabel* label;
};
