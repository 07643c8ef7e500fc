#pragma once

#include <QTreeWidget>

// A list view kept only so that old window definitions still load. Creating one
// complains through the plain message box. When it goes, it calls Clear() when
// that is connected, otherwise it drops the data each item carries (Qt::UserRole),
// last item first; then it empties itself.
class TListView2 : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(int SpalteVariabel READ SpalteVariabel WRITE SetSpalteVariabel)
    Q_PROPERTY(bool RowZellenSelect READ RowZellenSelect WRITE SetRowZellenSelect)

public:
    TListView2(const QString& name, QWidget* owner);
    ~TListView2() override;

    int SpalteVariabel() const { return spalteVariabel; }
    void SetSpalteVariabel(int column) { spalteVariabel = column; }
    bool RowZellenSelect() const { return rowZellenSelect; }
    void SetRowZellenSelect(bool on) { rowZellenSelect = on; }

signals:
    void Clear();

private:
    int spalteVariabel = 0;
    bool rowZellenSelect = false;
};
