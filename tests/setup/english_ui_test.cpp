// The whole program in English: every window, every page of the information
// form a user can reach in English, and every message, each seen first in
// German and then in English. A text that stays the same in both languages is
// German left untranslated, unless what is left of it besides names, addresses
// and numbers is English: words of the English texts of the language list
// ("Information", "Setup").

#include "fake_platform.h"
#include "keyboard/main_form.h"
#include "layout/layout_form.h"
#include "modal_driver.h"
#include "sandbox.h"
#include "services/program_record.h"
#include "services/program_start.h"
#include "setup/dir_dialog.h"
#include "setup/info_form.h"
#include "setup/installation_names.h"
#include "support/input_query.h"
#include "support/language_forms.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/qt_messages.h"
#include "support/qt_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

// What a window shows: "where" (object names from the window down, and which
// text) to the text.
using Texts = std::map<std::string, QString>;

void Add(Texts& texts, const std::string& where, const QString& text)
{
    if (!text.isEmpty())
        texts[where] = text;
}

bool KeepsItsChildren(const QObject* object)
{
    return object->inherits("TMyLabel") || object->inherits("TMyCheckBox") || object->inherits("TMyRadioButton");
}

void Collect(QWidget* widget, const std::string& path, Texts& texts)
{
    if (const QVariant caption = widget->property("Caption"); caption.isValid())
        Add(texts, path + "#caption", caption.toString());
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        Add(texts, path + "#text", button->text());
    else if (auto* label = qobject_cast<QLabel*>(widget))
        Add(texts, path + "#text", label->text());
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        Add(texts, path + "#title", box->title());
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        Add(texts, path + "#text", edit->text());
    Add(texts, path + "#hint", widget->toolTip());
    if (KeepsItsChildren(widget))
        return;
    int unnamed = 0;
    for (QObject* child : widget->children()) {
        const std::string name =
            child->objectName().isEmpty() ? "#" + std::to_string(unnamed++) : child->objectName().toStdString();
        if (auto* menu = qobject_cast<QMenu*>(child)) { // a pop-up menu, shown on demand
            for (QAction* action : menu->actions())
                if (action->isVisible())
                    Add(texts, path + "/" + name + "/" + action->objectName().toStdString(), action->text());
        } else if (auto* view = qobject_cast<QHeaderView*>(child)) {
            for (int section = 0; section < view->count(); ++section)
                Add(texts, path + "/" + name + "#" + std::to_string(section),
                    view->model()->headerData(section, view->orientation()).toString());
        } else if (auto* shown = qobject_cast<QWidget*>(child); shown && !shown->isHidden()) {
            Collect(shown, path + "/" + name, texts);
        }
    }
}

// The texts of the window as it is shown now. The entries of lists are left
// out: the folder chooser lists folders, the layout editor the keys' names.
Texts Shown(QWidget* window)
{
    Texts texts;
    Add(texts, "title", window->windowTitle());
    Collect(window, window->objectName().toStdString(), texts);
    return texts;
}

std::set<QString> Words(const QString& text)
{
    std::set<QString> words;
    for (const QString& word :
         text.toLower().split(QRegularExpression(QStringLiteral("[^\\p{L}]+")), Qt::SkipEmptyParts))
        words.insert(word);
    return words;
}

// The words of the English texts of the language list that translate a German
// text: neither the pairs that mark blocks ("-Datei") nor a pair whose two
// texts are alike add a word.
std::set<QString> EnglishWords()
{
    std::set<QString> words;
    const std::vector<std::string>& list = Sprachliste.Lines();
    for (std::size_t i = 1; i < list.size(); i += 2) {
        const QString german = FromAnsi(list[i - 1]).remove(QLatin1Char('&'));
        const QString english = FromAnsi(list[i]).remove(QLatin1Char('&'));
        if (!german.startsWith(QLatin1Char('-')) && german.compare(english, Qt::CaseInsensitive) != 0)
            words.merge(Words(english));
    }
    return words;
}

class EnglishTest : public ::testing::Test {
protected:
    Sandbox sandbox;
    FakePlatform fake;
    std::string folder = sandbox.Root() + "/home/.local/share/Tapsodia/";
    MessageService* fakeMessages = nullptr;

    void SetUp() override
    {
        SetQuitHook([] { throw std::runtime_error("the program would end here"); });
        ProgInfo = {};
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.Title = "Tapsody 1.7";
        ProgInfo.Version = 107;
        ProgInfo.Byline = "https://tapsody.example";
        ProgInfo.ProgDir = ProgInfo.SaveDir = folder;
        ProgInfo.ProgFilesDir = sandbox.Root() + "/home/.local/share/";
        ParamLine.clear();
        Sprachliste.Clear();
        TranslationOn = true;
        fs::create_directories(folder);
        fake.folders.executable = folder + "Tapsodia";
        fake.files.folders.insert(folder);
        fake.files.files[folder + "Tapsodia"] = "program";
        InstallationOf("Wellenfeld Software");
        fakeMessages = InstallQtMessages();
    }
    void TearDown() override
    {
        SetMessageService(fakeMessages);
        TranslateForms(LanguageGerman);
        TranslationOn = false;
        Sprachliste.Clear();
        SetQuitHook(nullptr);
    }

    // An installed program, so that the information form waits as the information dialog.
    void InstallationOf(const std::string& maker)
    {
        const std::string ini = "[FensterMainform]\r\nTitel=Tapsody 1.7\r\n";
        std::ofstream(folder + "Tapsodia.ini", std::ios::binary) << ini;
        fake.files.files[folder + "Tapsodia.ini"] = ini;
        const std::string product = "\\Software\\" + maker + "\\Tapsodia";
        for (const auto& [name, value] :
             {std::pair{"Pfad", folder}, {"Lizenzvertrag", "09.12.2026"}, {"Titel", "Tapsody 1.7"}})
            fake.registry.WriteString(RegistryRoot::LocalMachine, product, name, value);
    }

    // Every message the program shows, with a sample parameter.
    static std::vector<std::string> Messages();
};

// The texts of every message box, as a question and as a notice. (The plain
// box shows its text as it is given: the program translates what it shows
// there to the user, ShowPlainNotice, and complains only to its developer in
// German.)
std::vector<Texts> ShowMessages(const std::vector<std::string>& messages)
{
    std::vector<Texts> shown;
    for (const std::string& message : messages) {
        for (const bool question : {true, false}) {
            WhenModalShown([&](QWidget* box) {
                shown.push_back(Shown(box));
                qobject_cast<QDialog*>(box)->reject();
            });
            // Every type of box, and every button, in turn.
            const std::uint16_t buttons =
                shown.size() % 4 == 0 ? mbYes | mbNo | mbOK | mbCancel : mbAbort | mbRetry | mbIgnore | mbAll;
            if (question)
                MyMessageDlg(message, static_cast<std::uint8_t>(shown.size() % 5), buttons);
            else
                MyShowMessage(message);
        }
    }
    return shown;
}

// Every text of every window a user reaches, in the current language.
std::vector<Texts> EveryWindow(TMainform& mainform, Tinfoform& infoform, bool withWelcomePage)
{
    std::vector<Texts> shown{Shown(&mainform)};
    Layoutform->ShowEditor();
    shown.push_back(Shown(Layoutform));
    Layoutform->hide();
    WhenModalShown([&](QWidget* chooser) {
        shown.push_back(Shown(chooser));
        qobject_cast<QDialog*>(chooser)->reject();
    });
    ChooseFolder("");
    WhenModalShown([&](QWidget* query) { // the chooser's question for a new folder's name
        shown.push_back(Shown(query));
        qobject_cast<QDialog*>(query)->reject();
    });
    std::string name;
    InputQuery("Neues Verzeichnis", "Name", name);
    std::vector<int> pages{InformationPage, LicencePage, OptionsPage, FinishedPage};
    if (withWelcomePage) // the wizard always opens in German
        pages.push_back(WelcomePage);
    for (int page : pages) {
        infoform.Wizard().SetPage(page);
        infoform.show();
        infoform.ShowPage();
        shown.push_back(Shown(&infoform));
        infoform.hide();
    }
    infoform.Wizard().SetPage(InformationPage);
    return shown;
}

// The text without names, addresses and numbers: the title, the vendor, the
// homepage and e-mail addresses, folders and files, digits.
QString WithoutNamesAddressesAndNumbers(QString text)
{
    for (const std::string& name : {ProgInfo.Title, ProgInfo.Maker, ProgInfo.Byline, ProgInfo.ContactAddress,
                                    std::string("Tapsody"), ProgInfo.ShortName})
        text.replace(FromAnsi(name), QString());
    text.remove(QRegularExpression(QStringLiteral("(/[^\\s\"]*)+")));
    return text;
}

bool IsEnglish(const QString& text, const std::set<QString>& english)
{
    const std::set<QString> words = Words(WithoutNamesAddressesAndNumbers(text));
    return std::includes(english.begin(), english.end(), words.begin(), words.end());
}

std::vector<std::string> Untranslated(const std::vector<Texts>& german, const std::vector<Texts>& english)
{
    const std::set<QString> englishWords = EnglishWords();
    std::vector<std::string> faults;
    EXPECT_EQ(german.size(), english.size());
    for (std::size_t i = 0; i < std::min(german.size(), english.size()); ++i) {
        for (const auto& [where, text] : english[i]) {
            const auto before = german[i].find(where);
            if (before != german[i].end() && before->second == text && !IsEnglish(text, englishWords))
                faults.push_back(where + ": " + text.toStdString());
        }
    }
    return faults;
}

std::vector<std::string> Changed(const std::vector<Texts>& before, const std::vector<Texts>& after)
{
    std::vector<std::string> changes;
    for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i)
        for (const auto& [where, text] : after[i])
            if (before[i].contains(where) && before[i].at(where) != text)
                changes.push_back(where + ": " + before[i].at(where).toStdString() + " -> " + text.toStdString());
    return changes;
}

TEST_F(EnglishTest, EveryWindowAndEveryMessageSpeaksEnglish)
{
    FakeKeyboardOutput output;
    TMainform mainform(output);
    TLayoutform layoutform(&mainform);
    TDirDialog dirdialog;
    Tinfoform infoform;
    SetInformationDialog([&infoform] { infoform.exec(); });
    mainform.ShowKeyboard();
    ASSERT_EQ(infoform.Wizard().Page(), InformationPage) << "the program counts as installed";

    const std::vector<Texts> germanWindows = EveryWindow(mainform, infoform, false);
    const std::vector<Texts> germanMessages = ShowMessages(Messages());
    ASSERT_TRUE(TranslateForms(LanguageEnglish));
    const std::vector<Texts> englishWindows = EveryWindow(mainform, infoform, false);
    const std::vector<Texts> englishMessages = ShowMessages(Messages());

    EXPECT_EQ(Untranslated(germanWindows, englishWindows), std::vector<std::string>{});
    EXPECT_EQ(Untranslated(germanMessages, englishMessages), std::vector<std::string>{});

    // Back in German, every window shows what it showed, accelerators included.
    ASSERT_TRUE(TranslateForms(LanguageGerman));
    EXPECT_EQ(Changed(germanWindows, EveryWindow(mainform, infoform, false)), std::vector<std::string>{});
    SetInformationDialog(nullptr);
}

// Complaints about programming errors that the program's own data never
// causes; they are meant for its developer.
const std::vector<std::string> kForTheDeveloper{"LZH.nach = nil", "CreateWinLink: Endung .LNK fehlt",
                                                "Sprachedatei ungerade:", "Listview2 nicht mehr verwenden: "};

// The literal first parts of the messages in the sources: every one of them is
// among the messages shown above.
TEST_F(EnglishTest, EveryMessageOfTheSourcesIsShown)
{
    const std::regex call(
        R"((MyShowMessage|MyMessageDlg|ShowPlainMessage|ShowPlainNotice|KeyTableError|KeystrokeRangeError)\(\s*"((?:[^"\\]|\\.)*))");
    const std::vector<std::string> shown = Messages();
    std::vector<std::string> missing;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(TAPSODY_SOURCE_DIR) / "src")) {
        const std::string file = entry.path().string();
        // The uninstaller is a program of its own, with its own pairs and test.
        if (!file.ends_with(".cpp") || file.find("/platform/") != std::string::npos ||
            file.find("/uninstaller/") != std::string::npos)
            continue;
        std::ifstream in(file, std::ios::binary);
        const std::string source((std::istreambuf_iterator<char>(in)), {});
        for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end; ++it) {
            // Compared up to the first letter written as "\xFC".
            std::string literal = std::regex_replace((*it)[2].str(), std::regex(R"(\\")"), "\"");
            literal = literal.substr(0, literal.find('\\'));
            const auto starts = [&](const std::string& message) { return message.starts_with(literal); };
            if (!literal.empty() && std::ranges::none_of(shown, starts) &&
                std::ranges::none_of(kForTheDeveloper, starts))
                missing.push_back(entry.path().filename().string() + ": " + literal);
        }
    }
    EXPECT_EQ(missing, std::vector<std::string>{});
}

std::vector<std::string> EnglishTest::Messages()
{
    return {
        // The keyboard and its layout editor.
        "Programm beenden?",
        "Bitte vorher ein Fenster aktivieren.",
        "Die Belegung wurde ge\xE4ndert. \xC4nderungen sichern?",
        "Die Datei %s ist schreibgesch\xFCtzt. Nicht gespeichert.|/home/anna/layout.ini",
        "Die Datei %s konnte nicht geschrieben werden.|/home/anna/layout.ini",
        "Die Datei %s existiert nicht.|/home/anna/layout.ini",
        "Die Datei %s kann nicht gelesen werden.|/home/anna/layout.ini",
        "Die Datei %s ist keine Belegungsdatei.|/home/anna/layout.ini",
        "Die Tastenliste hat %s Zeilen; h\xF6"
        "chstens 133 sind m\xF6glich.|140",
        "Tastencode au\xDF"
        "erhalb des g\xFCltigen Bereichs: %s|a;70000",
        "Wert au\xDF"
        "erhalb des g\xFCltigen Bereichs: %s|[a] p0x",
        "Die gespeicherte Belegung wird verwendet.",
        "Tastencode %s ist zu gro\xDF|70000",
        "Der Scan-Code der Taste %s ist zu gro\xDF|65: 300",
        "Bild \"%s\" ist keine Windows-Bitmap.|bildmemo",
        "Bild \"%s\" existiert nicht.|bildmemo",
        // Settings files, folders and the shell.
        "Die Datei %s konnte nicht gespeichert werden.|/home/anna/Tapsodia.ini",
        "Die Datei %s konnte nicht gelesen werden. \xC4nderungen werden nicht gespeichert.|/home/anna/Tapsodia.ini",
        "Konnte das Verzeichnis %s nicht anlegen|/home/anna/neu",
        "Kann Zeit nicht berechnen.",
        "Datei nicht gefunden",
        "Pfad nicht gefunden",
        "Zugriff verweigert",
        "Eine DLL konnte nicht gefunden werden",
        "Fehler: nicht genug freier Speicher zur Ausf\xFChrung des Programms",
        "Fehler: Keine EXE-Datei",
        "Fehler bei der Shareverwaltung",
        "Fehler: Der Dateiname ist ung\xFCltig",
        "Fehler: Es existiert keine Verkn\xFCpfung mit der Datei",
        "Unbekannter Fehler: %s|7",
        "Programm kann nur einmal gestartet werden.",
        "Logbuch wird gespeichert in: %s|/home/anna/Tapsodia.log",
        "Allgemeiner Fehler. Nr. %s|-1",
        // Setup and the information dialog.
        "Setup beenden?",
        "Wenn Sie nicht unsere Lizenzvereinbarungen akzeptieren, d\xFCrfen Sie die Installation nicht fortsetzen. "
        "Setup beenden?",
        "Konnte Verzeichnis %s nicht erstellen|/home/anna/Tapsodia/",
        "Die Datei %s konnte nicht geschrieben werden.|/home/anna/Tapsodia/Tapsodia.ini",
        "Im Verzeichnis %s konnte kein Ordner f\xFCr das Deinstallationsprogramm angelegt werden.|/run/user/1000/",
        "Der Registrierungseintrag %s konnte nicht geschrieben werden.|\\Software\\Tapsodia",
        "Das Programm konnte nicht nach %s kopiert werden.|/home/anna/Tapsodia/Tapsodia",
        "Die Verkn\xFCpfung %s konnte nicht erstellt werden.|/home/anna/Desktop/Tapsody",
        "Der Link %s wurde erstellt.|/home/anna/Desktop/Tapsody",
        "Die Lizenzseite %s konnte nicht gespeichert werden.|/home/anna/Tapsodia-Lizenz-DE.htm",
        "|18|Tapsody 1.7",
        "|14",
        "Ihr Produkt wurde aktualisiert.",
        "Sie haben bereits dieses Produkt im Pfad \"%s\" installiert, welches nun gestartet wird.|/home/anna/T/",
        "Neuere Version existiert schon in Pfad \"%s\". Wird jetzt gestartet...|/home/anna/T/",
        "Laufwerk %s ist nicht bereit|/media/usb/",
        "Name darf kein \"%s\" enthalten.|/",
        "Das Entfernen des Programms ist in dieser Version noch nicht m\xF6glich.",
    };
}

} // namespace
