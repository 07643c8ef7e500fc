#include "setup/dir_dialog.h"

#include "datastore/binary_data.h"
#include "datastore/window_records.h"
#include "platform/platform.h"
#include "services/system_log.h"
#include "services/window_placement_qt.h"
#include "support/bit_button.h"
#include "support/ini_file.h"
#include "support/input_query.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/qt_text.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

TDirDialog* DirDialog = nullptr;

namespace {

constexpr int kShownWidth = 600;
constexpr int kShownHeight = 400;

QFrame* Panel(const char* name, int height, QWidget* owner)
{
    auto* panel = new QFrame(owner);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFixedHeight(height);
    return panel;
}

void ShowBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QIcon ThemeOr(const char* name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(name), QApplication::style()->standardIcon(fallback));
}

} // namespace

TDirDialog::TDirDialog(QWidget* parent)
    : ModalForm(parent), view_(*ThePlatform().files, *ThePlatform().folders, *ThePlatform().systemInfo)
{
    setObjectName(QStringLiteral("DirDialog"));
    setWindowTitle(FromAnsi("Verzeichnis w\xE4hlen..."));
    setMinimumSize(400, 300);
    view_.onBusy = ShowBusy;
    DirDialog = this;
    FormCreate();
}

// A start that never chooses a folder needs none of the controls, nor the icon
// theme and fonts they load.
void TDirDialog::setVisible(bool visible)
{
    if (visible && !List) {
        BuildComponents();
        TranslateNewControls(this);
    }
    ModalForm::setVisible(visible);
}

TDirDialog::~TDirDialog()
{
    if (DirDialog == this)
        DirDialog = nullptr;
}

void TDirDialog::BuildComponents()
{
    Panel1 = Panel("Panel1", 30, this);
    BitBtn1 = new TBitBtn(Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(24, 24);
    BitBtn1->setIcon(ThemeOr("computer", QStyle::SP_ComputerIcon));
    BitBtn1->setToolTip(QStringLiteral("zum Arbeitsplatz wechseln"));
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(0, 3, 0, 3);
    top->addWidget(BitBtn1);
    top->addWidget(Label1, 1);

    List = new QListWidget(this);
    List->setObjectName(QStringLiteral("List"));
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setFlow(QListView::TopToBottom);
    List->setResizeMode(QListView::Adjust);
    List->setLayoutMode(QListView::Batched); // a folder of many thousands stays responsive
    List->setIconSize(QSize(16, 16));
    List->installEventFilter(this);

    Panel2 = Panel("Panel2", 29, this);
    NeuerOrdnerBtn = new TBitBtn(Panel2);
    NeuerOrdnerBtn->setObjectName(QStringLiteral("NeuerOrdnerBtn"));
    NeuerOrdnerBtn->SetCaption("&Neues Verzeichnis");
    NeuerOrdnerBtn->setIcon(ThemeOr("folder-new", QStyle::SP_FileDialogNewFolder));
    NeuerOrdnerBtn->setFixedHeight(25);
    Okbutton = new TOkbutton(Panel2);
    Okbutton->setObjectName(QStringLiteral("Okbutton"));
    Abbruchbutton = new TAbbruchbutton(Panel2);
    Abbruchbutton->setObjectName(QStringLiteral("Abbruchbutton"));
    auto* bottom = new QHBoxLayout(Panel2);
    bottom->setContentsMargins(0, 2, 0, 2);
    bottom->addWidget(NeuerOrdnerBtn);
    bottom->addStretch(1);
    bottom->addWidget(Okbutton);
    bottom->addWidget(Abbruchbutton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(List, 1);
    layout->addWidget(Panel2);

    connect(List, &QListWidget::itemSelectionChanged, this, &TDirDialog::ListClick);
    connect(List, &QListWidget::itemDoubleClicked, this, &TDirDialog::listDblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TDirDialog::BitBtn1Click);
    connect(NeuerOrdnerBtn, &QPushButton::clicked, this, &TDirDialog::NeuerOrdnerBtnClick);
}

void TDirDialog::FormCreate()
{
    LogLine("DirDialog");
    sprachmemo = LoadEmbeddedComponent("TDirDialog", "sprachmemo");
    if (sprachmemo)
        Sprachliste.Addstrings(sprachmemo->Lines());
    OpenSettings(this, true);
}

void TDirDialog::showEvent(QShowEvent* event)
{
    ModalForm::showEvent(event);
    FormShow();
}

void TDirDialog::FormShow()
{
    setWindowTitle(FromAnsi(view_.Show()));
    resize(kShownWidth, kShownHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    ShowListing();
    List->setFocus();
}

void TDirDialog::done(int result)
{
    if (!view_.CloseQuery(result)) {
        ShowListing();
        List->setFocus();
        return;
    }
    FormClose();
    ModalForm::done(result);
}

void TDirDialog::FormClose()
{
    SaveWindowPlacement(this);
    view_.Closed();
}

void TDirDialog::ShowListing()
{
    {
        const QSignalBlocker quiet(List);
        List->clear();
        // The drive list is one column of entries; a folder flows in columns.
        List->setWrapping(!view_.ShowsDrives());
        for (const DirItem& item : view_.Items())
            new QListWidgetItem(pictures_.Picture(item.icon), FromAnsi(item.caption), List);
        if (view_.Selected() >= 0)
            List->setCurrentRow(view_.Selected());
    }
    ShowSelection();
}

void TDirDialog::ShowSelection()
{
    Label1->setText(FromAnsi(view_.Label()));
    Okbutton->setEnabled(view_.OkEnabled());
    NeuerOrdnerBtn->setEnabled(view_.NewFolderEnabled());
}

void TDirDialog::ListClick()
{
    const QListWidgetItem* current = List->currentItem();
    view_.Select(current && current->isSelected() ? List->currentRow() : -1);
    ShowSelection();
}

void TDirDialog::listDblClick()
{
    if (view_.Activate()) {
        done(mrOk);
        return;
    }
    ShowListing();
}

bool TDirDialog::listKeyPress(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        listDblClick();
        return true;
    }
    if (key.text() == QLatin1String("\\")) {
        BitBtn1Click();
        return true;
    }
    if (key.text() == QLatin1String("n")) {
        if (NeuerOrdnerBtn->isEnabled())
            NeuerOrdnerBtnClick();
        return true;
    }
    return false;
}

bool TDirDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List && event->type() == QEvent::KeyPress)
        return listKeyPress(static_cast<const QKeyEvent&>(*event));
    return ModalForm::eventFilter(watched, event);
}

void TDirDialog::BitBtn1Click()
{
    view_.BackToDrives();
    ShowListing();
    List->setFocus();
}

void TDirDialog::NeuerOrdnerBtnClick()
{
    std::string name;
    if (InputQuery("Neues Verzeichnis", "Name", name, this))
        view_.NewFolder(name);
    ShowListing();
    List->setFocus();
}

int ChooseFolder(const std::string& start)
{
    if (start != "x")
        DirDialog->View().currentPath = start;
    return DirDialog->exec();
}

const std::string& ChosenFolder()
{
    static const std::string none;
    return DirDialog ? DirDialog->View().currentPath : none;
}
