// The layout editor's controls, made when the window is first shown, and what
// they show of the table.

#include "layout/layout_form.h"

#include "layout/layout_image.h"
#include "support/button_glyphs.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/qt_text.h"
#include "support/translation.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int kKeyColumnWidth = 169;
constexpr int kTypePanelHeight = 79;

// A button of the top bar: with a caption, or with a picture and a hint only.
QToolButton* BarButton(QWidget* parent, const char* name, const char* caption, const QIcon& icon = {},
                       const char* hint = nullptr)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    if (caption) {
        button->setText(FromAnsi(caption));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
        button->setIcon(icon);
    }
    if (hint)
        button->setToolTip(FromAnsi(hint));
    return button;
}

// A size box without limits.
QSpinBox* SizeBox(QWidget* parent, const char* name, const char* hint, QRect place)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    box->setToolTip(FromAnsi(TranslateProgramText(hint)));
    box->setGeometry(place);
    return box;
}

// Shown beside each enabled key in the list.
const QIcon& EnabledIcon()
{
    static const QIcon icon(ButtonGlyphPixmap(ButtonGlyph::CheckMark));
    return icon;
}

} // namespace

void TLayoutform::CreateControls()
{
    auto* body = new QHBoxLayout;
    body->addWidget(CreateKeyColumn());
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    Image = new TLayoutImage;
    Image->onMouseDown = [this](QPoint at) { ImageMouseDown(at); };
    Image->onMouseMove = [this](QPoint at) { ImageMouseMove(at); };
    Image->onMouseUp = [this](QPoint) { ImageMouseUp(); };
    ScrollBox1->setWidget(Image);
    body->addWidget(ScrollBox1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(CreateTopBar());
    layout->addLayout(body, 1);
    TranslateNewControls(this);
}

QWidget* TLayoutform::CreateTopBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName("Panel1");
    const QStyle* look = style();
    neubtn = BarButton(bar, "neubtn", nullptr, look->standardIcon(QStyle::SP_FileIcon), "Alle Tasten entfernen");
    loadbtn = BarButton(bar, "loadbtn", "Belegung");
    savebtn = BarButton(bar, "savebtn", nullptr, look->standardIcon(QStyle::SP_DialogSaveButton), "Sichern");
    BitBtn4 = BarButton(bar, "BitBtn4", "Sichern als...");
    reloadbtn = BarButton(bar, "reloadbtn", nullptr, look->standardIcon(QStyle::SP_DialogOpenButton),
                          "Bild \xF6"
                          "ffnen");
    zoomchk = new QCheckBox(FromAnsi("Vergr\xF6\xDF"
                                     "ern"),
                            bar);
    zoomchk->setObjectName("zoomchk");

    // "Belegung" loads a file; its menu goes back to the stored layout.
    auto* loadMenu = new QMenu(loadbtn);
    QAction* standard = loadMenu->addAction(FromAnsi("Standardbelegung"));
    standard->setObjectName("standardbtn");
    loadbtn->setMenu(loadMenu);
    loadbtn->setPopupMode(QToolButton::MenuButtonPopup);
    // The keys every editor has for these.
    loadbtn->setShortcut(QKeySequence::Open);
    savebtn->setShortcut(QKeySequence::Save);

    connect(neubtn, &QToolButton::clicked, this, &TLayoutform::neubtnClick);
    connect(loadbtn, &QToolButton::clicked, this, &TLayoutform::loadbtnClick);
    connect(standard, &QAction::triggered, this, &TLayoutform::standardbtnClick);
    connect(savebtn, &QToolButton::clicked, this, &TLayoutform::savebtnClick);
    connect(BitBtn4, &QToolButton::clicked, this, &TLayoutform::BitBtn4Click);
    connect(reloadbtn, &QToolButton::clicked, this, &TLayoutform::reloadbtnClick);
    connect(zoomchk, &QCheckBox::clicked, this, &TLayoutform::zoomchkClick);

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : std::initializer_list<QWidget*>{neubtn, loadbtn, savebtn, BitBtn4, reloadbtn, zoomchk})
        layout->addWidget(control);
    layout->addStretch(1);
    return bar;
}

QWidget* TLayoutform::CreateKeyColumn()
{
    auto* column = new QWidget(this);
    column->setFixedWidth(kKeyColumnWidth);
    list = new QListWidget(column);
    list->setObjectName("list");
    list->setIconSize(QSize(16, 16));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const std::string& name : table_.Names())
        list->addItem(FromAnsi(name));
    connect(list, &QListWidget::itemClicked, this, &TLayoutform::listClick);
    connect(list, &QListWidget::currentRowChanged, this, &TLayoutform::listClick);

    // The type group with the size boxes over it, which stay usable while it is not.
    auto* panel = new QWidget(column);
    panel->setObjectName("Panel2");
    panel->setFixedHeight(kTypePanelHeight);
    tatgroup = new QGroupBox(FromAnsi("Tastentyp"), panel);
    tatgroup->setObjectName("tatgroup");
    tatgroup->setGeometry(0, 0, kKeyColumnWidth, kTypePanelHeight);
    tatgroup->setEnabled(false);
    tatgroupItems = new QButtonGroup(tatgroup);
    const std::pair<int, const char*> items[] = {{kKeyRectangle, "Eckig"}, {kKeyCircle, "Kreis"}};
    for (const auto& [typ, caption] : items) {
        auto* item = new QRadioButton(FromAnsi(caption), tatgroup);
        item->setGeometry(8, 22 + 26 * typ, 70, 22);
        tatgroupItems->addButton(item, typ);
    }
    connect(tatgroupItems, &QButtonGroup::idClicked, this, &TLayoutform::tatgroupClick);
    breitespin = SizeBox(panel, "breitespin", "Breite (Kreis: Radius)", QRect(78, 20, 62, 24));
    hoehespin = SizeBox(panel, "hoehespin", "H\xF6he", QRect(78, 47, 62, 24));
    vorgabechk = new QCheckBox(panel);
    vorgabechk->setObjectName("vorgabechk");
    vorgabechk->setToolTip(FromAnsi("Neue Tasten in dieser Gr\xF6\xDF"
                                    "e"));
    vorgabechk->setGeometry(145, 35, 20, 20);
    connect(breitespin, &QSpinBox::valueChanged, this, [this](int value) { boxes_.Breite = value; });
    connect(hoehespin, &QSpinBox::valueChanged, this, [this](int value) { boxes_.Hoehe = value; });
    connect(vorgabechk, &QCheckBox::toggled, this, [this](bool on) { boxes_.Vorgabe = on; });

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list, 1);
    layout->addWidget(panel);
    return column;
}

void TLayoutform::ShowBoxes()
{
    if (!breitespin)
        return;
    const LayoutBoxes boxes = boxes_; // setting one box reports back into boxes_
    breitespin->setValue(boxes.Breite);
    hoehespin->setValue(boxes.Hoehe);
    vorgabechk->setChecked(boxes.Vorgabe);
}

void TLayoutform::ShowKeyStates()
{
    for (int i = 0; list && i < table_.Count(); ++i)
        ShowKeyState(i);
}

void TLayoutform::ShowKeyState(int index)
{
    if (QListWidgetItem* item = list ? list->item(index) : nullptr)
        item->setIcon(table_.Key(index).Enabled ? EnabledIcon() : QIcon());
}
