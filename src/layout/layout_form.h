#pragma once

#include "layout/key_table.h"
#include "layout/layout_reader.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <string>

class QListWidget;
class TBinaryData;

// The layout editor window. It owns the key table and the keyboard picture for
// the life of the program: its creation builds the table from the stored key
// list and layout and loads the stored picture. The program creates it hidden;
// the keyboard window reads the table and the picture from it.
class TLayoutform : public QWidget {
    Q_OBJECT

public:
    explicit TLayoutform(QWidget* parent = nullptr);
    ~TLayoutform() override;

    KeyTable& Keys() { return table_; }
    const KeyTable& Keys() const { return table_; }
    // The keyboard picture; null when no picture could be loaded.
    const QImage& Picture() const { return picture_; }
    const LayoutBoxes& Boxes() const { return boxes_; }

    // The editor's "Belegung": reads the layout file (the stored layout while no
    // file is named) into the table, then reloads the picture.
    void loadbtnClick();
    // Fills the picture from the stored picture record when it is a bitmap.
    void reloadbtnClick();

private:
    void FormCreate();
    void BuildKeyList();

    KeyTable table_;
    QImage picture_;
    LayoutBoxes boxes_;
    std::string layoutFileName_;
    QListWidget* list_ = nullptr;
    std::unique_ptr<TBinaryData> tastenmemo_;
    std::unique_ptr<TBinaryData> belegmemo_;
    std::unique_ptr<TBinaryData> bildmemo_;
};

// The program's layout editor window, set while it exists.
extern TLayoutform* Layoutform;
