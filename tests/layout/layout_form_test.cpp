// The layout editor on Qt's offscreen platform: placing keys with the mouse,
// saving and loading layouts, and the layout in use across starts.

#include "keyboard/key_hit_test.h"
#include "layout/layout_form.h"
#include "layout/layout_image.h"
#include "services/program_record.h"
#include "support/ini_file.h"
#include "support/language_list.h"
#include "support/modal_driver.h"

#include "native_platform_environment.h"
#include "recording_messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kKeyA = 0;

class LayoutFormTest : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("tapsody-layoutform-" + std::to_string(::getpid()));
    RecordingMessages messages;
    MessageService* previousMessages = nullptr;

    void SetUp() override
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        ProgInfo.ShortName = "Tapsodia";
        ProgInfo.SaveDir = folder.string() + "/";
        ProgInfo.ProgDir = ProgInfo.SaveDir;
        previousMessages = SetMessageService(&messages);
    }

    void TearDown() override
    {
        SetMessageService(previousMessages);
        fs::remove_all(folder);
    }

    std::string LayoutInUse() const
    {
        tinifile2 settings(ProgInfo.SaveDir + "Tapsodia.ini");
        return settings.ReadString("Setup", "Belegungsdatei", "<none>");
    }

    static void Write(const fs::path& file, const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    static std::string Read(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

template <typename T>
T* Child(QObject& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The editor as the user drives it: picking keys in the list, the size boxes,
// and the mouse on the picture.
struct Editor {
    TLayoutform form;
    int changes = 0;

    Editor()
    {
        QObject::connect(&form, &TLayoutform::KeysChanged, [this] { ++changes; });
        form.ShowEditor();
    }

    TLayoutImage* Image() { return Child<TLayoutImage>(form, "Image"); }
    TKeyRecord& Key(int index) { return form.Keys().Key(index); }

    void Choose(int index)
    {
        QListWidget* list = Child<QListWidget>(form, "list");
        list->setCurrentRow(index);
        list->item(index)->setSelected(true);
        form.listClick();
    }
    void Boxes(int width, int height, bool vorgabe)
    {
        Child<QSpinBox>(form, "breitespin")->setValue(width);
        Child<QSpinBox>(form, "hoehespin")->setValue(height);
        Child<QCheckBox>(form, "vorgabechk")->setChecked(vorgabe);
    }
    void Zoom(bool on)
    {
        Child<QCheckBox>(form, "zoomchk")->setChecked(on);
        form.zoomchkClick();
    }
    void Drag(QPoint from, std::vector<QPoint> through)
    {
        form.ImageMouseDown(from);
        for (const QPoint& at : through)
            form.ImageMouseMove(at);
        form.ImageMouseUp();
    }
    bool Listed(int index) { return !Child<QListWidget>(form, "list")->item(index)->icon().isNull(); }

    // The shown picture against the keyboard picture at the zoom: the pixels that are inverted.
    int InvertedPixels(int zoom, QRect* bounds = nullptr)
    {
        const QImage shown = Image()->Canvas();
        const QImage picture = form.Picture()
                                   .convertToFormat(QImage::Format_RGB32)
                                   .scaled(form.Picture().size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_EQ(shown.size(), picture.size());
        int count = 0;
        QRect area;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != picture.pixel(x, y)) {
                    EXPECT_EQ(shown.pixel(x, y), picture.pixel(x, y) ^ 0x00FFFFFFu) << x << "," << y;
                    ++count;
                    area |= QRect(x, y, 1, 1);
                }
        if (bounds)
            *bounds = area;
        return count;
    }
};

TEST_F(LayoutFormTest, ShowsTheWindowAsLaidOut)
{
    TLayoutform form;
    EXPECT_EQ(form.findChild<QListWidget*>("list"), nullptr); // the controls come with the first showing
    form.ShowEditor();
    EXPECT_EQ(form.size(), QSize(633, 349));
    EXPECT_EQ(form.minimumSize(), QSize(630, 300));
    EXPECT_EQ(form.windowTitle(), "Tastaturlayout bearbeiten");
    EXPECT_EQ(Child<QToolButton>(form, "loadbtn")->text(), "Belegung");
    EXPECT_EQ(Child<QToolButton>(form, "BitBtn4")->text(), "Sichern als...");
    EXPECT_TRUE(Child<QToolButton>(form, "BitBtn4")->isEnabled());
    EXPECT_EQ(Child<QToolButton>(form, "reloadbtn")->toolTip(), QString::fromUtf8("Bild öffnen"));
    EXPECT_EQ(Child<QCheckBox>(form, "zoomchk")->text(), QString::fromUtf8("Vergrößern"));
    EXPECT_EQ(Child<QAction>(form, "standardbtn")->text(), "Standardbelegung");
    for (const char* name : {"neubtn", "savebtn"})
        EXPECT_TRUE(Child<QToolButton>(form, name)->text().isEmpty()) << name;
    EXPECT_EQ(Child<QGroupBox>(form, "tatgroup")->title(), "Tastentyp");
    EXPECT_FALSE(Child<QGroupBox>(form, "tatgroup")->isEnabled());
    QListWidget* list = Child<QListWidget>(form, "list");
    ASSERT_EQ(list->count(), 119);
    EXPECT_EQ(list->item(53)->text(), "SHIFT-Links");
    EXPECT_FALSE(list->item(kKeyA)->icon().isNull());
    // The stored layout's boxes.
    EXPECT_EQ(Child<QSpinBox>(form, "breitespin")->value(), 35);
    EXPECT_EQ(Child<QSpinBox>(form, "hoehespin")->value(), 35);
    EXPECT_FALSE(Child<QCheckBox>(form, "vorgabechk")->isChecked());
    EXPECT_EQ(Child<TLayoutImage>(form, "Image")->Canvas().size(), QSize(889, 238));
}

TEST_F(LayoutFormTest, PlacesKeysWithTheMouseInTheSharedTable)
{
    Editor editor;
    const KeyTable& keys = editor.form.Keys();
    // Clearing disables every key: the keyboard finds none of them.
    editor.form.neubtnClick();
    EXPECT_EQ(KeyAt(keys, 90, 140), -1);
    EXPECT_FALSE(editor.Listed(kKeyA));
    EXPECT_EQ(editor.Key(kKeyA).p0x, 75); // places stay

    // A disabled key chosen becomes a rectangle; nothing is drawn until it is placed.
    editor.Key(kKeyA).Typ = kKeyCircle;
    editor.Choose(kKeyA);
    EXPECT_EQ(editor.Key(kKeyA).Typ, kKeyRectangle);
    EXPECT_TRUE(Child<QGroupBox>(editor.form, "tatgroup")->isEnabled());
    EXPECT_EQ(editor.InvertedPixels(1), 0);

    // At the default size a press places the key and the drag moves it.
    editor.Boxes(35, 35, true);
    editor.form.ImageMouseDown({100, 50});
    EXPECT_EQ(editor.Key(kKeyA), (TKeyRecord{65, true, kKeyRectangle, 100, 50, 35, 35}));
    EXPECT_TRUE(editor.Listed(kKeyA));
    EXPECT_EQ(KeyAt(keys, 135, 85), kKeyA);
    QRect outline;
    EXPECT_EQ(editor.InvertedPixels(1, &outline), 35 * 35);
    EXPECT_EQ(outline, QRect(100, 50, 35, 35));
    editor.form.ImageMouseMove({300, 120});
    editor.form.ImageMouseUp();
    editor.form.ImageMouseMove({10, 10}); // the button is up: nothing moves
    EXPECT_EQ(editor.Key(kKeyA), (TKeyRecord{65, true, kKeyRectangle, 300, 120, 35, 35}));
    EXPECT_EQ(KeyAt(keys, 110, 60), -1);
    EXPECT_EQ(editor.InvertedPixels(1, &outline), 35 * 35); // the old outline is gone
    EXPECT_EQ(outline, QRect(300, 120, 35, 35));

    // Without it the key is dragged out from the press point, at zoom 2 in halved coordinates.
    editor.Boxes(35, 35, false);
    editor.Zoom(true);
    EXPECT_EQ(editor.InvertedPixels(2, &outline), 70 * 70);
    EXPECT_EQ(outline, QRect(600, 240, 70, 70));
    editor.Drag({201, 99}, {{261, 139}, {181, 99}, {161, 99}});
    EXPECT_EQ(editor.Key(kKeyA), (TKeyRecord{65, true, kKeyRectangle, 80, 49, 20, 0}));
    editor.Drag({201, 99}, {{261, 139}});
    EXPECT_EQ(editor.Key(kKeyA), (TKeyRecord{65, true, kKeyRectangle, 100, 49, 30, 20}));
    EXPECT_EQ(editor.InvertedPixels(2, &outline), 60 * 40);
    EXPECT_EQ(outline, QRect(200, 98, 60, 40));

    // A circle: the radius is the larger distance; the keyboard hits it as a circle.
    const QList<QRadioButton*> items = editor.form.findChildren<QRadioButton*>();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1]->text(), "Kreis");
    items[1]->click();
    EXPECT_EQ(editor.Key(kKeyA).Typ, kKeyCircle);
    editor.Zoom(false);
    editor.Drag({100, 50}, {{130, 70}});
    EXPECT_EQ(editor.Key(kKeyA), (TKeyRecord{65, true, kKeyCircle, 100, 50, 30, 0}));
    EXPECT_EQ(KeyAt(keys, 130, 50), kKeyA);
    EXPECT_EQ(KeyAt(keys, 125, 75), -1); // inside the square around it, outside the circle
    EXPECT_TRUE(editor.Image()->Canvas().pixel(100, 50) != editor.form.Picture().pixel(100, 50));
    EXPECT_GT(editor.changes, 8);
}

TEST_F(LayoutFormTest, SavedLayoutIsTheOneInUseAtTheNextStart)
{
    const std::string saved = ProgInfo.ProgDir + "layout.ini";
    {
        Editor editor;
        editor.Choose(kKeyA);
        editor.Boxes(20, 25, true);
        editor.Drag({400, 10}, {});
        editor.form.savebtnClick();
        EXPECT_EQ(editor.form.LayoutFileName(), saved);
        EXPECT_EQ(editor.form.windowTitle().toStdString(), "Tastaturlayout bearbeiten - " + saved);
        editor.form.close();
    }
    EXPECT_EQ(LayoutInUse(), saved);
    const std::string text = Read(saved);
    EXPECT_EQ(text.substr(0, 39), "[All]\r\nBreite=20\r\nHoehe=25\r\nVorgabe=1\r\n");
    EXPECT_NE(text.find("\r\n[a]\r\np0x=400\r\np0y=10\r\n\r\n"), std::string::npos) << text;

    TLayoutform next;
    EXPECT_EQ(next.LayoutFileName(), saved);
    EXPECT_EQ(next.Keys().Key(kKeyA), (TKeyRecord{65, true, kKeyRectangle, 400, 10, 20, 25}));
    EXPECT_TRUE(messages.shown.empty());

    // "Standardbelegung" goes back to the stored layout, also for the next start.
    next.ShowEditor();
    Child<QAction>(next, "standardbtn")->trigger();
    EXPECT_EQ(next.Keys().Key(kKeyA).p0x, 75);
    EXPECT_EQ(next.LayoutFileName(), "");
    EXPECT_EQ(next.windowTitle(), "Tastaturlayout bearbeiten");
    EXPECT_EQ(LayoutInUse(), "");
}

TEST_F(LayoutFormTest, ALayoutFileThatNoLongerLoadsIsReportedOnceAtStart)
{
    const std::string damaged = (folder / "damaged.ini").string();
    Write(damaged, "[All]\r\nBreite=4294967296\r\n");
    {
        tinifile2 settings(ProgInfo.SaveDir + "Tapsodia.ini");
        settings.WriteString("Setup", "Belegungsdatei", damaged);
    }
    TLayoutform form;
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Wert au\xDF"
                                                        "erhalb des g\xFCltigen Bereichs: [All] Breite\r\n"
                                                        "Die gespeicherte Belegung wird verwendet."}));
    EXPECT_EQ(form.LayoutFileName(), "");
    EXPECT_EQ(form.Keys().Key(kKeyA).p0x, 75);
    EXPECT_EQ(LayoutInUse(), damaged); // kept for when the file is mended

    // Opened in the editor, it is refused and nothing changes.
    messages.shown.clear();
    const KeyTable before = form.Keys();
    EXPECT_FALSE(form.OpenLayoutFile(damaged));
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"Wert au\xDF"
                                                        "erhalb des g\xFCltigen Bereichs: %s|[All] Breite"}));
    EXPECT_EQ(form.Keys(), before);
    EXPECT_EQ(form.LayoutFileName(), "");
}

// Types the name into the file dialog's name field, as a user does; selectFile
// leaves the field alone while it has the focus.
void TypeFileName(QFileDialog& dialog, const std::string& name)
{
    auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(field, nullptr);
    field->setText(QString::fromStdString(name));
}

TEST_F(LayoutFormTest, FileDialogsChooseWhereToSaveAndWhatToLoad)
{
    Editor editor;
    editor.Choose(kKeyA);
    editor.Boxes(20, 20, true);
    editor.Drag({5, 6}, {});
    const std::string chosen = (folder / "mine").string();
    QString filter;
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filter = dialog->selectedNameFilter();
        TypeFileName(*dialog, chosen);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Child<QToolButton>(editor.form, "BitBtn4")->click();
    EXPECT_EQ(filter, "*.ini");
    EXPECT_EQ(editor.form.LayoutFileName(), chosen + ".ini");
    EXPECT_TRUE(fs::exists(chosen + ".ini"));

    // Cancelling the load keeps what is loaded; a file chosen is loaded and kept.
    editor.Drag({50, 60}, {});
    messages.answer = mrNo; // the change is not to be saved
    WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    editor.form.loadbtnClick();
    EXPECT_EQ(editor.Key(kKeyA).p0x, 50);
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        TypeFileName(*dialog, chosen + ".ini");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    editor.form.loadbtnClick();
    EXPECT_EQ(editor.Key(kKeyA).p0x, 5);
    EXPECT_EQ(LayoutInUse(), chosen + ".ini");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Die Belegung wurde ge\xE4ndert. \xC4nderungen sichern?"});
}

TEST_F(LayoutFormTest, ClosingWithChangesNotSavedOffersToSaveThem)
{
    const std::string question = "Die Belegung wurde ge\xE4ndert. \xC4nderungen sichern?";
    const fs::path saved = folder / "layout.ini";
    struct Case {
        std::uint16_t answer;
        bool closes;
        bool writes;
    };
    for (const Case& c : {Case{mrCancel, false, false}, Case{mrNo, true, false}, Case{mrYes, true, true}}) {
        fs::remove(saved);
        Editor editor;
        editor.Choose(kKeyA);
        editor.Drag({5, 6}, {});
        messages.shown.clear();
        messages.answer = c.answer;
        editor.form.close();
        EXPECT_EQ(messages.shown, std::vector<std::string>{question}) << c.answer;
        EXPECT_EQ(editor.form.isVisible(), !c.closes) << c.answer;
        EXPECT_EQ(fs::exists(saved), c.writes) << c.answer;
        // Asked once: after the answer, closing (or the program's end) asks no more.
        messages.shown.clear();
        EXPECT_EQ(editor.form.SaveQuery(), c.closes) << c.answer;
        EXPECT_EQ(messages.shown.size(), c.closes ? 0u : 1u) << c.answer;
    }
}

TEST_F(LayoutFormTest, ComesUpInTheLanguageInUse)
{
    TranslationOn = true;
    CurrentLanguage = LanguageEnglish;
    TLayoutform form;
    form.ShowEditor();
    CurrentLanguage = LanguageGerman;
    TranslationOn = false;
    EXPECT_EQ(form.windowTitle(), "Edit keyboard layout");
    EXPECT_EQ(Child<QToolButton>(form, "loadbtn")->text(), "Layout");
    EXPECT_EQ(Child<QToolButton>(form, "BitBtn4")->text(), "Save as...");
    EXPECT_EQ(Child<QToolButton>(form, "reloadbtn")->toolTip(), "Open picture");
    EXPECT_EQ(Child<QCheckBox>(form, "zoomchk")->text(), "Enlarge");
    EXPECT_EQ(Child<QAction>(form, "standardbtn")->text(), "Standard layout");
    EXPECT_EQ(Child<QGroupBox>(form, "tatgroup")->title(), "Key shape");
    EXPECT_EQ(form.findChildren<QRadioButton*>()[1]->text(), "Circle");
}

} // namespace
