#include "support/language_forms.h"

#include "support/language_list.h"
#include "support/qt_text.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

// Translates the texts of one window's objects by their kind.
class ComponentTranslator {
public:
    ComponentTranslator(std::uint8_t from, std::uint8_t to) : from_(from), to_(to) {}

    void Window(QWidget* window)
    {
        Component(window);
        OwnedBy(window);
    }

private:
    // The translation, or the text itself when the lookup changes nothing, so
    // that texts with characters outside the code page are never rewritten.
    QString Translated(const QString& text) const
    {
        const std::string ansi = ToAnsi(text);
        const std::string translated = TranslateText(ansi, from_, to_);
        return translated == ansi ? text : FromAnsi(translated);
    }

    // Translates a Qt property holding text, when the object has it.
    void Property(QObject* object, const char* name) const
    {
        const QVariant value = object->property(name);
        if (!value.isValid())
            return;
        const QString text = value.toString();
        const QString translated = Translated(text);
        if (translated != text)
            object->setProperty(name, translated);
    }

    // Our own controls keep their caption in "Caption"; Qt's show it as "text".
    void Caption(QObject* object) const
    {
        Property(object, object->property("Caption").isValid() ? "Caption" : "text");
    }

    void CaptionAndHint(QWidget* widget) const
    {
        Caption(widget);
        Property(widget, "toolTip");
    }

    void OwnedBy(QObject* owner) const
    {
        for (QObject* child : owner->children()) {
            Component(child);
            if (!KeepsItsChildren(child))
                OwnedBy(child);
        }
    }

    // Controls whose inner widgets are parts of them, not components of the window.
    static bool KeepsItsChildren(const QObject* object)
    {
        return object->inherits("TMyLabel") || object->inherits("TMyCheckBox") || object->inherits("TMyRadioButton") ||
               object->inherits("THTMLcolor") || object->inherits("QAbstractItemView") ||
               object->inherits("QAbstractSpinBox") || object->inherits("QComboBox");
    }

    static bool IsImage(const QWidget* widget)
    {
        const auto* label = qobject_cast<const QLabel*>(widget);
        return widget->inherits("TImage") || (label && !label->pixmap().isNull());
    }

    static bool IsPanel(const QWidget* widget)
    {
        return widget->metaObject() == &QFrame::staticMetaObject || widget->inherits("TPanel");
    }

    // The first matching kind decides which texts are translated.
    void Component(QObject* object) const
    {
        if (auto* action = qobject_cast<QAction*>(object)) {
            Property(action, "text"); // menu item (a menu's title is its action's text)
            return;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget)
            return;
        if (qobject_cast<QPushButton*>(widget) || qobject_cast<QCheckBox*>(widget) || widget->inherits("TMyCheckBox"))
            CaptionAndHint(widget);
        else if (widget->isWindow())
            Property(widget, "windowTitle");
        else if (qobject_cast<QGroupBox*>(widget))
            Property(widget, "title");
        else if (IsImage(widget))
            Property(widget, "toolTip");
        else if (qobject_cast<QLabel*>(widget) || widget->inherits("TMyLabel") || qobject_cast<QRadioButton*>(widget) ||
                 widget->inherits("TMyRadioButton"))
            CaptionAndHint(widget);
        else if (auto* view = qobject_cast<QAbstractItemView*>(widget))
            ColumnCaptions(view);
        else if (IsPanel(widget))
            Panel(widget);
        else if (qobject_cast<QToolButton*>(widget))
            CaptionAndHint(widget);
        else if (qobject_cast<QLineEdit*>(widget))
            Property(widget, "text");
        else if (qobject_cast<QAbstractSpinBox*>(widget)) // an edit field for numbers: its hint
            Property(widget, "toolTip");
        else if (widget->inherits("THTMLcolor"))
            ColourBoxes(widget);
        else if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            TabTexts(tabs);
    }

    // All column captions of a list view but the last.
    void ColumnCaptions(QAbstractItemView* view) const
    {
        QAbstractItemModel* model = view->model();
        if (!model || qobject_cast<QHeaderView*>(view))
            return;
        for (int column = 0; column + 1 < model->columnCount(); ++column) {
            const QString text = model->headerData(column, Qt::Horizontal).toString();
            const QString translated = Translated(text);
            if (translated != text)
                model->setHeaderData(column, Qt::Horizontal, translated);
        }
    }

    // A panel still showing its default caption ("Panel1") keeps it.
    void Panel(QWidget* panel) const
    {
        if (!panel->property("Caption").toString().startsWith(QLatin1String("Panel")))
            Property(panel, "Caption");
        Property(panel, "toolTip");
    }

    void ColourBoxes(QWidget* strip) const
    {
        for (QObject* child : strip->children())
            if (qobject_cast<QAbstractButton*>(child) || child->inherits("TMyCheckBox"))
                Caption(child);
    }

    void TabTexts(QTabWidget* tabs) const
    {
        for (int index = 0; index < tabs->count(); ++index) {
            const QString translated = Translated(tabs->tabText(index));
            if (translated != tabs->tabText(index))
                tabs->setTabText(index, translated);
        }
    }

    std::uint8_t from_;
    std::uint8_t to_;
};

} // namespace

void TranslateWindow(QWidget* window, std::uint8_t fromLanguage, std::uint8_t toLanguage)
{
    ComponentTranslator(fromLanguage, toLanguage).Window(window);
}

void TranslateNewControls(QWidget* window)
{
    if (CurrentLanguage != TextLanguage)
        TranslateWindow(window, TextLanguage, CurrentLanguage);
}

bool TranslateForms(int language)
{
    return SwitchLanguage(language, [](std::uint8_t from, std::uint8_t to) {
        // Child windows (dialogs, menus) are translated with the window that owns them.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!window->parentWidget())
                TranslateWindow(window, from, to);
    });
}
