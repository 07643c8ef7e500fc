#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class TMyCheckBox;

// A strip of five check boxes that choose the colours of a web page: background,
// text, link, visited link and hover. Checking a box opens the colour dialog for
// its colour; Change() fires when a colour was chosen. The background colour is
// the strip's own, the others are the font colours of their boxes.
class THTMLcolor : public QWidget {
    Q_OBJECT

public:
    enum Role { Hintergrund = 0, Text = 1, Link = 2, BesuchterLink = 3, Hover = 4 };
    static constexpr int RoleCount = 5;

    explicit THTMLcolor(QWidget* parent = nullptr);

    QColor Color(Role role) const;
    void SetColor(Role role, const QColor& colour);
    TMyCheckBox* Box(Role role) const { return boxes[role]; }

signals:
    void Change();

private:
    void BoxClicked(Role role);

    std::array<TMyCheckBox*, RoleCount> boxes{};
};
