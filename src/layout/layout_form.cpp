#include "layout/layout_form.h"

#include "datastore/binary_data.h"
#include "datastore/window_records.h"
#include "layout/key_list.h"
#include "layout/picture_record.h"
#include "support/messages.h"
#include "support/qt_text.h"

#include <QListWidget>
#include <QVBoxLayout>

TLayoutform* Layoutform = nullptr;

namespace {

// A component of the window's record; an empty one when the program carries none.
std::unique_ptr<TBinaryData> Component(const char* name)
{
    auto component = LoadEmbeddedComponent("TLayoutform", name);
    return component ? std::move(component) : std::make_unique<TBinaryData>(name);
}

}  // namespace

TLayoutform::TLayoutform(QWidget* parent)
    : QWidget(parent), tastenmemo_(Component("tastenmemo")), belegmemo_(Component("belegmemo")),
      bildmemo_(Component("bildmemo"))
{
    setObjectName("Layoutform");
    list_ = new QListWidget(this);
    list_->setObjectName("list");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    Layoutform = this;
    FormCreate();
}

TLayoutform::~TLayoutform()
{
    if (Layoutform == this)
        Layoutform = nullptr;
}

void TLayoutform::FormCreate()
{
    picture_ = QImage();
    layoutFileName_.clear();
    try {
        BuildKeyList();
        loadbtnClick();
    } catch (const KeyTableError& error) {
        MyMessageDlg(error.what(), mtError, mbOK);
    }
}

void TLayoutform::BuildKeyList()
{
    ::BuildKeyList(table_, tastenmemo_->Lines());
    list_->clear();
    for (const std::string& name : table_.Names())
        list_->addItem(FromAnsi(name));
}

void TLayoutform::loadbtnClick()
{
    boxes_ = LoadLayout(table_, layoutFileName_, belegmemo_->Lines());
    reloadbtnClick();
}

void TLayoutform::reloadbtnClick()
{
    const std::string* bytes = PictureRecordBitmap(*bildmemo_);
    if (!bytes)
        return;
    QImage loaded;
    if (loaded.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()), "BMP"))
        picture_ = loaded;
    else
        ReportPictureNotBitmap(*bildmemo_);
}
