#include "layout/layout_form.h"

#include "datastore/binary_data.h"
#include "datastore/window_records.h"
#include "layout/key_list.h"
#include "layout/layout_writer.h"
#include "layout/picture_record.h"
#include "services/program_record.h"
#include "services/window_placement_qt.h"
#include "support/file_dialogs.h"
#include "support/ini_file.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/qt_image.h"
#include "support/qt_text.h"
#include "support/translation.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>

TLayoutform* Layoutform = nullptr;

namespace {

// Where the settings file keeps the layout in use.
const char* const kSetupSection = "Setup";
const char* const kLayoutFileKey = "Belegungsdatei";
const char* const kLayoutFilter = "*.ini";

// A component of the window's record; an empty one when the program carries none.
std::unique_ptr<TBinaryData> Component(const char* name)
{
    auto component = LoadEmbeddedComponent("TLayoutform", name);
    return component ? std::move(component) : std::make_unique<TBinaryData>(name);
}

// The picture of a bitmap in full colour. The common kinds are read here, in one
// pass; the toolkit's reader takes the others.
QImage BitmapImage(const std::string& bytes)
{
    if (const std::optional<BitmapSize> size = WindowsBitmapSize(bytes)) {
        QImage image(size->width, size->height, QImage::Format_RGB32);
        if (!image.isNull() && DecodeWindowsBitmap(bytes, reinterpret_cast<std::uint32_t*>(image.bits()),
                                                   static_cast<std::size_t>(image.bytesPerLine()) / 4))
            return image;
    }
    const QImage image = DecodeBuiltInImage(bytes, "bmp");
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

void RememberLayoutFile(QWidget* window, const std::string& fileName)
{
    OpenSettings(window, false)->WriteString(kSetupSection, kLayoutFileKey, fileName);
}

} // namespace

TLayoutform::TLayoutform(QWidget* parent)
    : ModalForm(parent), tastenmemo_(Component("tastenmemo")), belegmemo_(Component("belegmemo")),
      bildmemo_(Component("bildmemo")), sprachmemo_(Component("sprachmemo"))
{
    setObjectName("Layoutform");
    // A window of its own beside the keyboard, resizable, not a dialog; on top
    // like the keyboard, which it would otherwise disappear under.
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(633, 349);
    setMinimumSize(630, 300);
    Sprachliste.Addstrings(sprachmemo_->Lines());
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
    selkey = -1;
    dragging = false;
    try {
        BuildKeyList();
    } catch (const KeyTableError& error) {
        MyMessageDlg(error.what(), mtError, mbOK);
        return;
    }
    LoadLayoutInUse();
}

void TLayoutform::BuildKeyList()
{
    ::BuildKeyList(table_, tastenmemo_->Lines());
}

// Load layout: from the layout file in use, else from the stored layout; then the picture.
void TLayoutform::LoadLayout()
{
    boxes_ = ::LoadLayout(table_, layoutFileName_, belegmemo_->Lines());
    ShowBoxes();
    ShowKeyStates();
    reloadbtnClick();
}

// The file the settings name, else the stored layout. A file that no longer
// loads is reported once, and the stored layout takes its place for this run.
void TLayoutform::LoadLayoutInUse()
{
    layoutFileName_ = OpenSettings(this, false)->ReadString(kSetupSection, kLayoutFileKey, "");
    try {
        LoadLayout();
        return;
    } catch (const KeyTableError& error) {
        if (layoutFileName_.empty()) {
            MyMessageDlg(error.what(), mtError, mbOK);
            return;
        }
        MyMessageDlg(TranslateProgramText(error.what()) + "\r\n" +
                         TranslateProgramText("Die gespeicherte Belegung wird verwendet."),
                     mtWarning, mbOK);
    }
    layoutFileName_.clear();
    try {
        LoadLayout();
    } catch (const KeyTableError& error) {
        MyMessageDlg(error.what(), mtError, mbOK);
    }
}

void TLayoutform::reloadbtnClick()
{
    const std::string* bytes = PictureRecordBitmap(*bildmemo_);
    if (!bytes)
        return;
    QImage loaded = BitmapImage(*bytes);
    // Held once: as the picture, not also as the bytes it was read from.
    bildmemo_->FreeUnpacked();
    if (!loaded.isNull())
        picture_ = std::move(loaded);
    else
        ReportPictureNotBitmap(*bildmemo_);
    if (Image)
        ShowPicture();
}

bool TLayoutform::OpenLayoutFile(const std::string& fileName)
{
    const std::string previous = std::exchange(layoutFileName_, fileName);
    try {
        LoadLayout();
    } catch (const KeyTableError& error) {
        layoutFileName_ = previous;
        MyMessageDlg(error.what(), mtError, mbOK);
        return false;
    }
    Changed();
    UseLayoutFile(fileName);
    return true;
}

bool TLayoutform::SaveLayoutFile(const std::string& fileName)
{
    if (!SaveLayout(table_, boxes_, fileName))
        return false;
    UseLayoutFile(fileName);
    return true;
}

// The table now is what the file holds.
void TLayoutform::UseLayoutFile(const std::string& fileName)
{
    modified_ = false;
    layoutFileName_ = fileName;
    RememberLayoutFile(this, fileName);
    ShowCaption();
}

void TLayoutform::loadbtnClick()
{
    if (!SaveQuery())
        return;
    const std::string fileName =
        AskFileToOpen(this, "Belegung laden", kLayoutFilter, SaveLayoutTarget(layoutFileName_, ProgInfo.ProgDir));
    if (!fileName.empty())
        OpenLayoutFile(fileName);
}

void TLayoutform::savebtnClick()
{
    SaveLayoutFile(SaveLayoutTarget(layoutFileName_, ProgInfo.ProgDir));
}

void TLayoutform::BitBtn4Click()
{
    const std::string fileName = AskFileToSave(this, "Belegung sichern", kLayoutFilter,
                                               SaveLayoutTarget(layoutFileName_, ProgInfo.ProgDir), "ini");
    if (!fileName.empty())
        SaveLayoutFile(fileName);
}

void TLayoutform::standardbtnClick()
{
    if (SaveQuery())
        OpenLayoutFile({});
}

void TLayoutform::neubtnClick()
{
    for (int i = 0; i < table_.Count(); ++i) {
        table_.Key(i).Enabled = false;
        table_.Key(i).Typ = kKeyRectangle;
    }
    ShowKeyStates();
    ShowPicture();
    Changed();
}

void TLayoutform::Changed()
{
    modified_ = true;
    emit KeysChanged();
}

int TLayoutform::Zoom() const
{
    return zoomchk && zoomchk->isChecked() ? 2 : 1;
}

void TLayoutform::ShowEditor()
{
    if (!Image) {
        CreateControls();
        CentreOnScreen();
    }
    FormShow();
    show();
    raise();
    activateWindow();
}

// Until a placement is stored, the window opens in the middle of the screen.
void TLayoutform::CentreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TLayoutform::FormShow()
{
    ShowCaption();
    OpenSettings(this, true);
    ShowBoxes();
    ShowKeyStates();
    ShowPicture();
}

bool TLayoutform::SaveQuery()
{
    if (!modified_)
        return true;
    // "Die Belegung wurde geändert. Änderungen sichern?"
    switch (MyMessageDlg("Die Belegung wurde ge\xE4ndert. \xC4nderungen sichern?", mtConfirmation,
                         mbYes | mbNo | mbCancel)) {
    case mrYes: savebtnClick(); return !modified_;
    case mrNo: modified_ = false; return true;
    default: return false;
    }
}

void TLayoutform::done(int result)
{
    if (!SaveQuery())
        return;
    FormClose();
    ModalForm::done(result);
}

void TLayoutform::FormClose()
{
    dragging = false;
    SaveWindowPlacement(this);
}

void TLayoutform::ShowCaption()
{
    const std::string caption = TranslateProgramText("Tastaturlayout bearbeiten");
    setWindowTitle(FromAnsi(layoutFileName_.empty() ? caption : caption + " - " + layoutFileName_));
}
