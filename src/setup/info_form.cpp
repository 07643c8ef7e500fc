#include "setup/info_form.h"

#include "datastore/binary_data.h"
#include "datastore/window_records.h"
#include "platform/system_folders.h"
#include "services/program_files.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "services/system_log.h"
#include "services/text_helpers.h"
#include "setup/app_icon.h"
#include "setup/dir_dialog.h"
#include "setup/fixed_texts.h"
#include "setup/info_actions.h"
#include "setup/installation_check.h"
#include "setup/installation_names.h"
#include "setup/licence_text.h"
#include "setup/setup_pages.h"
#include "setup/uninstall_run.h"
#include "support/bit_button.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/my_check_box.h"
#include "support/my_label.h"
#include "support/qt_text.h"
#include "support/translation.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

Tinfoform* Infoform = nullptr;

namespace {

constexpr int kTextLeft = 80;
constexpr int kTextTop = 70;
constexpr int kBorderWidth = 10;
constexpr int kWidth = 480;
constexpr int kHeight = 470;
// The information page: the link and licence buttons, the contact box, the language choice.
constexpr int kPageButtonWidth = 200;
constexpr int kPageButtonHeight = 20;
constexpr int kContactWidth = 300;
constexpr int kContactHeight = 110;
constexpr int kLanguageWidth = 160;
constexpr int kLanguageHeight = 60;

std::unique_ptr<TBinaryData> Component(const char* name)
{
    auto component = LoadEmbeddedComponent("Tinfoform", name);
    return component ? std::move(component) : std::make_unique<TBinaryData>(name);
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* PageButton(QWidget* parent, const char* name, const char* caption, const char* hint)
{
    auto* button = Named(new QPushButton(FromAnsi(caption), parent), name);
    button->setToolTip(FromAnsi(hint));
    button->resize(kPageButtonWidth, kPageButtonHeight);
    return button;
}

QFrame* Bevel(QWidget* parent, const char* name)
{
    auto* bevel = Named(new QFrame(parent), name);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    return bevel;
}

void SetFontPixels(QWidget* widget, int pixels, bool bold)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

// A button that looks like a link: blue, underlined, without a frame.
void LookLikeLink(QPushButton* button)
{
    QFont font = button->font();
    font.setUnderline(true);
    button->setFont(font);
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("color: blue; text-align: left; border: none;"));
}

} // namespace

Tinfoform::Tinfoform(QWidget* parent)
    : ModalForm(parent), trans(Component("trans")), lizenzde(Component("lizenzde")), lizenzen(Component("lizenzen"))
{
    setObjectName(QStringLiteral("infoform"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Infoform = this;
    FormCreate();
}

Tinfoform::~Tinfoform()
{
    if (Infoform == this)
        Infoform = nullptr;
}

void Tinfoform::CreateComponents()
{
    client = new QWidget(this);
    icon = Named(new QLabel(client), "icon");
    ca1 = Named(new TMyLabel(client), "ca1");
    ca2 = Named(new TMyLabel(client), "ca2");
    ca3 = Named(new TMyLabel(client), "ca3");
    be = Bevel(client, "be");
    B2 = Bevel(client, "B2");
    Memo = Named(new QPlainTextEdit(client), "Memo");
    Memo->setReadOnly(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    htmlbtn = Named(new TBitBtn(client), "htmlbtn");
    htmlbtn->SetCaption("&Html");
    htmlbtn->setToolTip(FromAnsi("als Html-Seite anzeigen"));
    Pfadtxt = Named(new QLineEdit(client), "Pfadtxt");
    Pfadtxt->setReadOnly(true);
    Pfadtxt->setFocusPolicy(Qt::ClickFocus);
    ChooseDirbtn = Named(new TBitBtn(client), "ChooseDirbtn");
    ChooseDirbtn->SetCaption("...");
    ChooseDirbtn->resize(30, 25);
    ChooseDirbtn->setToolTip(FromAnsi("Verzeichnis ausw\xE4hlen"));
    tc1 = Named(new TMyCheckBox(client), "tc1");
    tc2 = Named(new TMyCheckBox(client), "tc2");
    tc1->SetChecked(true);
    tc2->SetChecked(true);
    homepagebtn = Named(new TBitBtn(client), "homepagebtn");
    LookLikeLink(homepagebtn);
    we = Named(new TOkbutton(client), "we");
    ab = Named(new TAbbruchbutton(client), "ab");
    zu = Named(new QPushButton(client), "zu");
    zu->resize(we->size());
    zu->setCursor(Qt::PointingHandCursor);
    // The wizard decides what the buttons do; they never end the form themselves.
    we->SetModalResult(mrNone);
    ab->SetModalResult(mrNone);

    connect(we, &QPushButton::clicked, this, &Tinfoform::weClick);
    connect(ab, &QPushButton::clicked, this, &Tinfoform::abClick);
    connect(zu, &QPushButton::clicked, this, &Tinfoform::zuClick);
    connect(ChooseDirbtn, &QPushButton::clicked, this, &Tinfoform::ChooseDirbtnClick);
    connect(homepagebtn, &QPushButton::clicked, this, &Tinfoform::homepagebtnClick);
    CreateInformationComponents();
    connect(tc1, &TMyCheckBox::clicked, this, [this] { wizard_.Choice().startMenuLink = tc1->Checked(); });
    connect(tc2, &TMyCheckBox::clicked, this, [this] { wizard_.Choice().desktopLink = tc2->Checked(); });
}

void Tinfoform::CreateInformationComponents()
{
    const char linkHint[] = "erstellt eine Verkn\xFCpfung zu dem Programm, damit Sie es leichter starten k\xF6nnen";
    Sprachgroup = Named(new QGroupBox(client), "Sprachgroup");
    Sprachgroup->resize(kLanguageWidth, kLanguageHeight);
    languageItems = new QButtonGroup(Sprachgroup);
    int item = 0;
    for (const char* caption : {"Sprache: deutsch", "Language: english"}) {
        auto* radio = Named(new QRadioButton(FromAnsi(caption), Sprachgroup), item == 0 ? "Sprache0" : "Sprache1");
        radio->setGeometry(10, 8 + item * 24, kLanguageWidth - 20, 22);
        languageItems->addButton(radio, item++);
    }
    LinkStartmenubtn = PageButton(client, "LinkStartmenubtn", "Link im &Startmen\xFC erstellen", linkHint);
    DesktopLink = PageButton(client, "DesktopLink", "Link auf dem &Desktop erstellen", linkHint);
    Lizenzbtn =
        PageButton(client, "Lizenzbtn", "&Lizenzvertrag anzeigen", "zeigt weitere Informationen zum Programm an");
    GroupBox2 = Named(new QGroupBox(FromAnsi("Kontakt"), client), "GroupBox2");
    GroupBox2->resize(kContactWidth, kContactHeight);
    MyLabel2 = Named(new TMyLabel(GroupBox2, "Anleitung + Homepage"), "MyLabel2");
    MyLabel2->move(10, 20);
    MyLabel1 = Named(new TMyLabel(GroupBox2, "E-Mail + Support"), "MyLabel1");
    MyLabel1->move(10, 62);
    for (TMyLabel* label : {MyLabel1, MyLabel2})
        label->SetAutosize(true);
    EMailbtn = Named(new TBitBtn(GroupBox2), "EMailbtn");
    EMailbtn->setGeometry(10, 80, kContactWidth - 20, 22);
    LookLikeLink(EMailbtn);
    // The homepage button lies over the contact box on this page.
    homepagebtn->raise();

    connect(languageItems, &QButtonGroup::idClicked, this, &Tinfoform::SprachgroupClick);
    connect(LinkStartmenubtn, &QPushButton::clicked, this, &Tinfoform::LinkStartmenubtnClick);
    connect(DesktopLink, &QPushButton::clicked, this, &Tinfoform::DesktopLinkClick);
    connect(Lizenzbtn, &QPushButton::clicked, this, &Tinfoform::LizenzbtnClick);
    connect(htmlbtn, &QPushButton::clicked, this, &Tinfoform::LizenzbtnClick);
    connect(EMailbtn, &QPushButton::clicked, this, &Tinfoform::EMailbtnClick);
}

void Tinfoform::FormCreate()
{
    LogLine("Info");
    if (LowerStrDe(ParamLine) == installation::kUninstallSwitch) {
        // The keyboard is never shown; a failure has been reported.
        StartUninstaller(Component("uninstexe")->UnpackedStream().Bytes());
        QuitProgram();
    }
    Sprachliste.Insertstrings(0, trans->Lines());
    ProgInfo.ContactAddress = ContactText();
    ProgInfo.Maker = MakerText();
    CheckInstallation(wizard_, *this);
}

// The controls are made when the window is first shown: a start that goes on to
// the keyboard needs none of them, nor the fonts and icons they set up.
void Tinfoform::setVisible(bool visible)
{
    if (visible && !client) {
        CreateComponents();
        homepagebtn->SetCaption(ProgInfo.Byline);
        EMailbtn->SetCaption(ProgInfo.ContactAddress);
        SetUpAppearance();
        TranslateNewControls(this);
    }
    ModalForm::setVisible(visible);
}

void Tinfoform::SetUpAppearance()
{
    const QIcon appIcon = AppIcon();
    setWindowIcon(appIcon);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(kWidth, kHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    move(area.x() + (area.width() - kWidth) / 2, area.y() + (area.height() - kHeight) / 2);
    client->setGeometry(kBorderWidth, kBorderWidth, kWidth - 2 * kBorderWidth, kHeight - 2 * kBorderWidth);
    const int cw = client->width();
    const int ch = client->height();

    icon->setPixmap(appIcon.pixmap(48, 48));
    icon->setGeometry(16, 10, 48, 48);
    SetFontPixels(ca1, 26, true);
    ca1->move(kTextLeft, 10);
    ca1->SetAutosize(true);
    SetFontPixels(ca2, 13, false);
    SetFontPixels(ca3, 13, false);
    for (TMyLabel* label : {ca2, ca3}) {
        label->SetAutosize(false);
        label->setGeometry(kTextLeft, kTextTop, cw - kTextLeft, 140);
    }
    ca3->hide();
    be->setGeometry(kTextLeft, ca1->y() + 34, cw - kTextLeft, 2);
    B2->setGeometry(0, ch - 40, cw, 2);
    PlaceButtons();
    Pfadtxt->setText(FromAnsi(wizard_.Choice().folder));
}

void Tinfoform::PlaceButtons()
{
    const int cw = client->width();
    const int top = client->height() - we->height();
    ab->move(cw - ab->width(), top);
    we->move(cw - 2 * we->width() - 20, top);
    zu->move(cw - 3 * zu->width() - 40, top);
}

void Tinfoform::ShowPage()
{
    if (!client)
        return; // shown when the window is
    const SetupPageContent content = SetupPage(wizard_.Page());
    const int cw = client->width();
    setWindowTitle(FromAnsi(content.caption));
    Memo->hide();
    htmlbtn->hide();
    ca1->SetCaption(content.heading);
    ca2->SetCaption(content.text);
    switch (wizard_.Page()) {
    case WelcomePage:
        ca2->setGeometry(kTextLeft, kTextTop, cw - kTextLeft, B2->y() - 80);
        homepagebtn->setGeometry(10, we->y() - 2, 150, we->height());
        break;
    case LicencePage: ShowLicencePage(); break;
    case OptionsPage:
        ShowOptionsPage();
        ca3->SetCaption(content.optionsText);
        tc1->SetCaption(content.startMenuLink);
        tc2->SetCaption(content.desktopLink);
        break;
    case FinishedPage: ca2->setGeometry(kTextLeft, kTextTop, cw - kTextLeft, B2->y() - 80); break;
    case InformationPage: ShowInformationPage(); break;
    default: break;
    }
    ApplyVisibility(content);
    we->SetCaption(content.forwardCaption);
    ab->SetCaption(content.cancelCaption);
    zu->setText(FromAnsi(content.backCaption));
    if (wizard_.Page() == WelcomePage) {
        setTabOrder(we, ab);
        setTabOrder(ab, zu);
        we->setFocus();
    } else if (content.focus == SetupFocus::Cancel) {
        ab->setFocus();
    } else if (content.focus == SetupFocus::Licence) {
        Lizenzbtn->setFocus();
    }
}

void Tinfoform::ShowLicencePage()
{
    const int cw = client->width();
    const int ch = client->height();
    Memo->setGeometry(kTextLeft, kTextTop, cw - kTextLeft, ch - 100 - kTextTop);
    Memo->clear();
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    const bool english = TranslationOn && CurrentLanguage == LanguageEnglish;
    QStringList lines;
    for (const std::string& line : ExtractLicenceText((english ? lizenzen : lizenzde)->Lines()))
        lines << FromAnsi(line);
    Memo->setPlainText(lines.join(QLatin1Char('\n')));
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    const int memoBottom = Memo->y() + Memo->height();
    htmlbtn->move(Memo->x() + Memo->width() - htmlbtn->width(), memoBottom + 2);
    ca2->setGeometry(kTextLeft, memoBottom + 2, htmlbtn->x() - 10 - kTextLeft, B2->y() - memoBottom - 4);
    Memo->show();
    htmlbtn->show();
}

void Tinfoform::ShowOptionsPage()
{
    const int cw = client->width();
    ca2->setGeometry(kTextLeft, kTextTop, cw - 12 - kTextLeft, client->height() - 40 - kTextTop);
    ChooseDirbtn->move(cw - ChooseDirbtn->width(), 112);
    Pfadtxt->setGeometry(kTextLeft, ChooseDirbtn->y() + 2, cw - ChooseDirbtn->width() - 10 - kTextLeft,
                         Pfadtxt->sizeHint().height());
    Pfadtxt->setText(FromAnsi(wizard_.Choice().folder));
    ca3->setGeometry(kTextLeft, Pfadtxt->y() + 35, ca2->width(), B2->y() - Pfadtxt->y() - 35);
    tc1->move(kTextLeft, 190);
    tc2->move(kTextLeft, tc1->y() + 20);
    tc1->SetChecked(wizard_.Choice().startMenuLink);
    tc2->SetChecked(wizard_.Choice().desktopLink);
}

// Vendor and title above; the link and licence buttons at the left of the
// language choice; the contact box at the bottom, holding the homepage too.
void Tinfoform::ShowInformationPage()
{
    const int cw = client->width();
    ca2->setGeometry(kTextLeft, kTextTop, cw - 10 - kTextLeft, client->height() - 40);
    GroupBox2->move(1, B2->y() - GroupBox2->height() - 3);
    Sprachgroup->move(cw - Sprachgroup->width() - 8, GroupBox2->y() - 8 - Sprachgroup->height());
    if (QAbstractButton* current = languageItems->button(CurrentLanguage))
        current->setChecked(true);
    LinkStartmenubtn->move(kTextLeft, Sprachgroup->y() + 7);
    DesktopLink->move(kTextLeft, Sprachgroup->y() + LinkStartmenubtn->height() + 7);
    Lizenzbtn->move(kTextLeft, LinkStartmenubtn->y() + 45);
    homepagebtn->setGeometry(GroupBox2->x() + 10, GroupBox2->y() + MyLabel2->y() + 20, EMailbtn->width(),
                             EMailbtn->height());
}

void Tinfoform::ApplyVisibility(const SetupPageContent& content)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{tc1, tc2, ca3})
        widget->setVisible(content.options);
    for (QWidget* widget : std::initializer_list<QWidget*>{LinkStartmenubtn, DesktopLink, Lizenzbtn, GroupBox2})
        widget->setVisible(content.information);
    Sprachgroup->setVisible(content.information && TranslationOn);
    ab->setVisible(content.Shows(ShowCancel));
    we->setVisible(content.Shows(ShowForward));
    zu->setVisible(content.Shows(ShowBack));
    Pfadtxt->setVisible(content.Shows(ShowFolder));
    ChooseDirbtn->setVisible(content.Shows(ShowFolder));
}

void Tinfoform::showEvent(QShowEvent* event)
{
    ShowPage();
    ModalForm::showEvent(event);
}

void Tinfoform::weClick()
{
    wizard_.Forward();
}

void Tinfoform::zuClick()
{
    wizard_.Back();
}

void Tinfoform::abClick()
{
    wizard_.Cancel();
}

void Tinfoform::ChooseDirbtnClick()
{
    const std::string start = ToAnsi(Pfadtxt->text());
    if (ChooseFolder(start) != 1)
        return;
    wizard_.Choice().folder = ChosenFolder();
    Pfadtxt->setText(FromAnsi(wizard_.Choice().folder));
}

void Tinfoform::homepagebtnClick()
{
    OpenHomepage();
}

void Tinfoform::EMailbtnClick()
{
    WriteEMail();
}

void Tinfoform::LinkStartmenubtnClick()
{
    CreateProgramLink(SpecialFolderPrograms);
}

void Tinfoform::DesktopLinkClick()
{
    CreateProgramLink(SpecialFolderDesktopDirectory);
}

void Tinfoform::LizenzbtnClick()
{
    OpenLicencePages(lizenzde->Lines(), lizenzen->Lines());
}

void Tinfoform::SprachgroupClick(int index)
{
    TranslateForms(index);
    ShowPage(); // the texts made from program texts, too
}

void Tinfoform::reject()
{
    if (wizard_.CloseQuery(installed))
        ModalForm::reject();
}

void Tinfoform::SwitchLanguage(int language)
{
    TranslateForms(language);
}

void Tinfoform::ShowModal()
{
    exec();
}

// Closing by the forward button asks the same as closing the window.
void Tinfoform::Close()
{
    if (wizard_.CloseQuery(installed))
        done(mrOk);
}

InstallIcons Tinfoform::Icons()
{
    return {AppIconPng(), AppIconSvg()};
}
