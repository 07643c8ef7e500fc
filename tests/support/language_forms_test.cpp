#include "support/bit_button.h"
#include "support/html_color.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/my_check_box.h"
#include "support/my_label.h"
#include "support/my_radio_button.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every English text also appears as a German text whose partner is "twice",
// so that a text translated twice shows.
const std::vector<std::string> Pairs = {
    "Informationen zu diesem Programm",
    "Information about this program",
    "&Abbrechen",
    "C&ancel",
    "zeigt weitere Informationen",
    "shows further information",
    "Fragen vor beenden",
    "Ask to quit",
    "Kontakt",
    "how to contact",
    "Programmtitel",
    "Title of this software",
    "Name",
    "Filename",
    "Gr\xF6\xDF"
    "e",
    "Size",
    "Datum",
    "Date",
    "&Datei",
    "&File",
    "\xD6"
    "ffnen",
    "Open",
    "Programm beenden",
    "Quit program",
    "Verzeichnis",
    "Folder",
    "Allgemein",
    "General",
    "Verzeichnis w\xE4hlen",
    "Choose directory",
    "Sprache",
    "Language",
    "Panel1",
    "must stay",
    "Schnell",
    "Quick",
    "&Abbruch",
    "&Stop",
    "&Ok",
    "&OK",
    "Hintergrund",
    "Background",
    "Besuchter Link",
    "Visited link",
    "how to contact",
    "twice",
    "Size",
    "twice",
    "Filename",
    "twice",
    "&File",
    "twice",
    "Quit program",
    "twice",
    "General",
    "twice",
    "Choose directory",
    "twice",
    "Folder",
    "twice",
};

// A window with one component of every kind the translation knows.
struct TestWindow {
    QWidget window;
    QPushButton* button = new QPushButton("&Abbrechen", &window);
    QCheckBox* check = new QCheckBox("Fragen vor beenden", &window);
    QGroupBox* group = new QGroupBox("Kontakt", &window);
    QLabel* label = new QLabel("Programmtitel:", group);
    QRadioButton* radio = new QRadioButton("Sprache", group);
    QToolButton* tool = new QToolButton(&window);
    QTreeWidget* list = new QTreeWidget(&window);
    QMenuBar* menuBar = new QMenuBar(&window);
    QMenu* menu = menuBar->addMenu("&Datei");
    QAction* open = menu->addAction(QString::fromUtf8("Öffnen..."));
    QAction* separator = menu->addSeparator();
    QAction* quit = menu->addAction("Programm beenden?");
    QLineEdit* edit = new QLineEdit("Verzeichnis", &window);
    QLineEdit* foreign = new QLineEdit(QString::fromUtf8("Verzeichnis 日本"), &window);
    QSpinBox* spin = new QSpinBox(&window);
    QTabWidget* tabs = new QTabWidget(&window);
    QFrame* defaultPanel = new QFrame(&window);
    QFrame* namedPanel = new QFrame(&window);
    QLabel* image = new QLabel(&window);
    QDialog* dialog = new QDialog(&window);
    QPushButton* dialogButton = new QPushButton("&Abbrechen", dialog);

    TestWindow()
    {
        window.setWindowTitle("Informationen zu diesem Programm");
        button->setToolTip("zeigt weitere Informationen");
        tool->setText("Schnell");
        tool->setToolTip("Kontakt");
        list->setHeaderLabels({"Name", QString::fromUtf8("Größe"), "Datum"});
        tabs->addTab(new QWidget, "Allgemein");
        tabs->addTab(new QWidget, "Kontakt");
        defaultPanel->setProperty("Caption", "Panel1");
        defaultPanel->setToolTip("Kontakt");
        namedPanel->setProperty("Caption", "Kontakt");
        QPixmap picture(4, 4);
        picture.fill(Qt::black);
        image->setPixmap(picture);
        image->setToolTip("Kontakt");
        dialog->setWindowTitle(QString::fromUtf8("Verzeichnis wählen..."));
    }
};

class TranslateFormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Sprachliste.Clear();
        Sprachliste.Addstrings(Pairs);
        TranslationOn = true;
        CurrentLanguage = LanguageGerman;
    }
    void TearDown() override
    {
        Sprachliste.Clear();
        TranslationOn = false;
        CurrentLanguage = LanguageGerman;
    }
};

void ExpectGerman(const TestWindow& w)
{
    EXPECT_EQ(w.window.windowTitle(), "Informationen zu diesem Programm");
    EXPECT_EQ(w.button->text(), "&Abbrechen");
    EXPECT_EQ(w.button->toolTip(), "zeigt weitere Informationen");
    EXPECT_EQ(w.check->text(), "Fragen vor beenden");
    EXPECT_EQ(w.group->title(), "Kontakt");
    EXPECT_EQ(w.label->text(), "Programmtitel:");
    EXPECT_EQ(w.list->headerItem()->text(1), QString::fromUtf8("Größe"));
    EXPECT_EQ(w.menu->title(), "&Datei");
    EXPECT_EQ(w.quit->text(), "Programm beenden?");
    EXPECT_EQ(w.edit->text(), "Verzeichnis");
    EXPECT_EQ(w.tabs->tabText(0), "Allgemein");
    EXPECT_EQ(w.dialog->windowTitle(), QString::fromUtf8("Verzeichnis wählen..."));
}

TEST_F(TranslateFormsTest, SwitchesEveryComponentOfEveryWindowOnce)
{
    TestWindow w;
    QWidget second;
    second.setWindowTitle("Kontakt");

    ASSERT_TRUE(TranslateForms(1));
    EXPECT_EQ(CurrentLanguage, LanguageEnglish);
    EXPECT_EQ(w.window.windowTitle(), "Information about this program");
    EXPECT_EQ(second.windowTitle(), "how to contact");
    EXPECT_EQ(w.button->text(), "C&ancel");
    EXPECT_EQ(w.button->toolTip(), "shows further information");
    EXPECT_EQ(w.check->text(), "Ask to quit");
    EXPECT_EQ(w.group->title(), "how to contact");
    EXPECT_EQ(w.label->text(), "Title of this software:");
    EXPECT_EQ(w.radio->text(), "Language");
    EXPECT_EQ(w.tool->text(), "Quick");
    EXPECT_EQ(w.tool->toolTip(), "how to contact");
    EXPECT_EQ(w.menu->title(), "&File");
    EXPECT_EQ(w.open->text(), "Open...");
    EXPECT_EQ(w.separator->text(), "");
    EXPECT_EQ(w.quit->text(), "Quit program?");
    EXPECT_EQ(w.edit->text(), "Folder");
    EXPECT_EQ(w.foreign->text(), QString::fromUtf8("Verzeichnis 日本"));
    EXPECT_EQ(w.spin->value(), 0);
    EXPECT_EQ(w.tabs->tabText(0), "General");
    EXPECT_EQ(w.tabs->tabText(1), "how to contact");
    EXPECT_EQ(w.image->toolTip(), "how to contact");
    EXPECT_EQ(w.dialog->windowTitle(), "Choose directory...");
    EXPECT_EQ(w.dialogButton->text(), "C&ancel");
}

TEST_F(TranslateFormsTest, ListViewGetsAllColumnCaptionsButTheLast)
{
    TestWindow w;
    ASSERT_TRUE(TranslateForms(1));
    EXPECT_EQ(w.list->headerItem()->text(0), "Filename");
    EXPECT_EQ(w.list->headerItem()->text(1), "Size");
    EXPECT_EQ(w.list->headerItem()->text(2), "Datum");
}

TEST_F(TranslateFormsTest, PanelWithDefaultCaptionKeepsItButNotItsHint)
{
    TestWindow w;
    ASSERT_TRUE(TranslateForms(1));
    EXPECT_EQ(w.defaultPanel->property("Caption").toString(), "Panel1");
    EXPECT_EQ(w.defaultPanel->toolTip(), "how to contact");
    EXPECT_EQ(w.namedPanel->property("Caption").toString(), "how to contact");
}

TEST_F(TranslateFormsTest, SwitchingBackRestoresTheGermanTexts)
{
    TestWindow w;
    ASSERT_TRUE(TranslateForms(1));
    ASSERT_TRUE(TranslateForms(0));
    EXPECT_EQ(CurrentLanguage, LanguageGerman);
    ExpectGerman(w);
    EXPECT_EQ(w.list->headerItem()->text(0), "Name");
}

TEST_F(TranslateFormsTest, RefusesLanguagesAboveOneAndWorksOnlyWithTranslationOn)
{
    TestWindow w;
    EXPECT_FALSE(TranslateForms(2));
    ExpectGerman(w);
    EXPECT_TRUE(TranslateForms(0));
    ExpectGerman(w);
    TranslationOn = false;
    EXPECT_FALSE(TranslateForms(1));
    ExpectGerman(w);
    EXPECT_EQ(CurrentLanguage, LanguageGerman);
}

TEST_F(TranslateFormsTest, OwnControlsTranslateTheirCaptions)
{
    QWidget window;
    auto* label = new TMyLabel(&window, "Programmtitel:");
    label->setToolTip("Kontakt");
    auto* check = new TMyCheckBox(&window, "Fragen vor beenden");
    check->setToolTip("Kontakt");
    auto* radio = new TMyRadioButton(&window, "Sprache");
    auto* ok = new TOkbutton(&window);
    auto* cancel = new TAbbruchbutton(&window);
    auto* colours = new THTMLcolor(&window);

    ASSERT_TRUE(TranslateForms(1));
    EXPECT_EQ(label->Caption(), "Title of this software:");
    EXPECT_EQ(label->toolTip(), "how to contact");
    EXPECT_EQ(check->Caption(), "Ask to quit");
    EXPECT_EQ(check->toolTip(), "how to contact");
    EXPECT_EQ(radio->Caption(), "Language");
    EXPECT_EQ(radio->text(), "");
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_EQ(cancel->text(), "&Stop");
    EXPECT_EQ(colours->Box(THTMLcolor::Hintergrund)->Caption(), "Background");
    EXPECT_EQ(colours->Box(THTMLcolor::BesuchterLink)->Caption(), "Visited link");
    EXPECT_EQ(colours->Box(THTMLcolor::Hover)->Caption(), "Hover");

    ASSERT_TRUE(TranslateForms(0));
    EXPECT_EQ(label->Caption(), "Programmtitel:");
    EXPECT_EQ(radio->Caption(), "Sprache");
    EXPECT_EQ(cancel->text(), "&Abbruch");
    EXPECT_EQ(colours->Box(THTMLcolor::Hintergrund)->Caption(), "Hintergrund");
}

} // namespace
