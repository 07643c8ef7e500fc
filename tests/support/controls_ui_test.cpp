#include "modal_driver.h"

#include "services/markup_painter.h"
#include "services/program_record.h"
#include "support/bit_button.h"
#include "support/html_color.h"
#include "support/list_view2.h"
#include "support/messages.h"
#include "support/modal_form.h"
#include "support/my_check_box.h"
#include "support/my_label.h"
#include "support/my_radio_button.h"

#include <QColorDialog>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void ClickAt(QWidget* widget, QPoint point)
{
    const QPointF local(point);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void Click(QWidget* widget)
{
    ClickAt(widget, widget->rect().center());
}

QImage Rendered(QWidget* widget)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

class RecordingMessages final : public MessageService {
public:
    RecordingMessages() : previous(SetMessageService(this)) {}
    ~RecordingMessages() override { SetMessageService(previous); }

    std::vector<std::string> plain;
    std::uint16_t MessageDlg(const std::string&, std::uint8_t, std::uint16_t, int) override { return mrCancel; }
    void ShowMessage(const std::string&) override {}
    void PlainMessage(const std::string& text) override { plain.push_back(text); }

private:
    MessageService* previous;
};

int MarkupWidth(const QFont& font, const std::string& text)
{
    MarkupPainter canvas(nullptr, font);
    return MarkupTextWidth(&canvas, text);
}

} // namespace

TEST(PresetButtons, OkAndAbbruchCarryCaptionResultAndEscape)
{
    TOkbutton ok;
    EXPECT_EQ(ok.text(), QStringLiteral("&Ok"));
    EXPECT_EQ(ok.ModalResult(), mrOk);
    EXPECT_TRUE(ok.isDefault());
    EXPECT_FALSE(ok.Cancel());
    EXPECT_FALSE(ok.icon().isNull());
    EXPECT_EQ(ok.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(ok.toolTip().isEmpty());

    TAbbruchbutton cancel;
    EXPECT_EQ(cancel.text(), QStringLiteral("&Abbruch"));
    EXPECT_EQ(cancel.ModalResult(), mrCancel);
    EXPECT_TRUE(cancel.Cancel());
    EXPECT_FALSE(cancel.isDefault());
    EXPECT_EQ(cancel.cursor().shape(), Qt::PointingHandCursor);
}

TEST(PresetButtons, EndTheModalFormTheyStandIn)
{
    ModalForm form;
    auto* ok = new TOkbutton(&form);
    new TAbbruchbutton(&form);
    WhenModalShown([](QWidget* dialog) { PressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(form.exec(), mrCancel);

    WhenModalShown([ok](QWidget*) { ok->click(); });
    EXPECT_EQ(form.exec(), mrOk);
}

TEST(MyLabel, StartsWithItsClassNameAndFiftyByTwenty)
{
    TMyLabel label;
    EXPECT_EQ(label.Caption(), "TMyLabel");
    EXPECT_EQ(label.size(), QSize(50, 20));
    EXPECT_FALSE(label.Schatten());
    EXPECT_FALSE(label.Autosize());
    EXPECT_STREQ(label.metaObject()->className(), "TMyLabel");
    EXPECT_EQ(label.property("Caption").toString(), QStringLiteral("TMyLabel"));
}

TEST(MyLabel, AutosizeTakesTheCaptionWidthPlusTwoAndAtLeastTwentyTwo)
{
    TMyLabel label(nullptr, "Eine Zeile mit Text");
    label.SetAutosize(true);
    EXPECT_EQ(label.width(), MarkupWidth(label.font(), "Eine Zeile mit Text") + 2);
    MarkupPainter canvas(nullptr, label.font());
    EXPECT_EQ(label.height(), MarkupTextHeight(&canvas, "Eine Zeile mit Text") + 2);

    label.SetCaption("i");
    EXPECT_EQ(label.width(), 22);
}

TEST(MyLabel, WrapsAtWordsToItsWidthAndKeepsALongWordWhole)
{
    TMyLabel label(nullptr, "eins zwei drei vier");
    label.SetAutosize(true);
    const int oneLine = label.height() - 2;

    label.SetAutosize(false);
    label.resize(MarkupWidth(label.font(), "eins zwei") + 4, 100);
    EXPECT_EQ(label.TextExtent().height, 2 * oneLine);

    label.SetCaption("Donaudampfschifffahrt");
    label.resize(30, 100);
    EXPECT_EQ(label.TextExtent().height, oneLine);
    EXPECT_GT(label.TextExtent().widestLine, 30);
}

TEST(MyLabel, RightMovesTheLabelAndKeepsItsWidth)
{
    TMyLabel label;
    label.setGeometry(10, 20, 50, 20);
    EXPECT_EQ(label.Bottom(), 40);
    label.SetRight(100);
    EXPECT_EQ(label.geometry(), QRect(50, 20, 50, 20));
}

TEST(MyLabel, ClickableLabelShowsTheYellowMarkAndTheHandCursor)
{
    TMyLabel label(nullptr, "Mehr");
    label.resize(120, 30);
    const QRgb yellow = QColor(Qt::yellow).rgb();
    const int h = qRound(TMyLabel::FontPixelHeight(label.font()) * 0.2);
    const int w = std::max(label.TextExtent().widestLine, 20);
    const QPoint insideMark(w + h / 2 - 1, h);
    ASSERT_GT(h, 0);
    EXPECT_NE(Rendered(&label).pixel(insideMark), yellow);

    int clicks = 0;
    QObject::connect(&label, &TMyLabel::clicked, [&clicks] { ++clicks; });
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Rendered(&label).pixel(insideMark), yellow);
    Click(&label);
    EXPECT_EQ(clicks, 1);
}

TEST(MyLabel, CaptionOfACheckBoxHasNoLinkMark)
{
    TMyCheckBox box(nullptr, "Fragen vor beenden");
    TMyLabel* label = box.Label();
    EXPECT_NE(label->cursor().shape(), Qt::PointingHandCursor);
    const QImage image = Rendered(label);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixel(x, y), QColor(Qt::yellow).rgb());
}

TEST(MyLabel, DrawsItsTextAndDisabledInTheEngravedColours)
{
    TMyLabel label(nullptr, "WWW");
    label.SetAutosize(true);
    const auto colours = [](const QImage& image) {
        std::vector<QRgb> found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != QColor(Qt::white).rgb())
                    found.push_back(image.pixel(x, y));
        return found;
    };
    EXPECT_FALSE(colours(Rendered(&label)).empty());

    label.setEnabled(false);
    const std::vector<QRgb> disabled = colours(Rendered(&label));
    const QRgb shadow = label.palette().color(QPalette::Disabled, QPalette::Dark).rgb();
    EXPECT_NE(std::find(disabled.begin(), disabled.end(), shadow), disabled.end());
}

TEST(MyCheckBox, StartsUncheckedAndEmptyIsNineteenBySeventeen)
{
    TMyCheckBox box;
    EXPECT_EQ(box.State(), csUnchecked);
    EXPECT_FALSE(box.AllowGrayed());
    EXPECT_FALSE(box.AllDisable());
    EXPECT_EQ(box.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(box.size(), QSize(19, 17));
    EXPECT_FALSE(box.Label()->isVisibleTo(&box));
}

TEST(MyCheckBox, SizesItselfToItsCaption)
{
    TMyCheckBox box(nullptr, "Peep bei Tastendruck");
    TMyLabel* label = box.Label();
    EXPECT_EQ(box.height(), label->height() + 3);
    EXPECT_EQ(label->x(), box.height());
    EXPECT_EQ(box.width(), label->x() + label->width());
    EXPECT_EQ(label->Caption(), "Peep bei Tastendruck");

    box.SetCaption("Kurz");
    EXPECT_EQ(box.width(), label->x() + label->width());
    EXPECT_EQ(box.property("Caption").toString(), QStringLiteral("Kurz"));
}

TEST(MyCheckBox, GrayedWithoutAllowGrayedBecomesChecked)
{
    TMyCheckBox box(nullptr, "Option");
    int clicks = 0;
    QObject::connect(&box, &TMyCheckBox::clicked, [&clicks] { ++clicks; });

    box.SetState(csGrayed);
    EXPECT_EQ(box.State(), csChecked);
    EXPECT_TRUE(box.Checked());
    box.SetState(csChecked); // no change, no click
    EXPECT_EQ(clicks, 1);

    box.SetAllowGrayed(true);
    box.SetState(csGrayed);
    EXPECT_EQ(box.State(), csGrayed);
    EXPECT_FALSE(box.Checked());
    box.SetState(7);
    EXPECT_EQ(box.State(), csChecked);
    box.SetChecked(false);
    EXPECT_EQ(box.State(), csUnchecked);
    EXPECT_EQ(clicks, 4);
}

TEST(MyCheckBox, CaptionClickCyclesThroughGrayedAndBoxClickChecks)
{
    TMyCheckBox box(nullptr, "Option");
    box.SetAllowGrayed(true);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        Click(box.Label());
        states.push_back(box.State());
    }
    EXPECT_EQ(states, (std::vector<int>{csGrayed, csChecked, csUnchecked}));

    box.SetState(csGrayed);
    ClickAt(&box, QPoint(3, box.height() / 2)); // on the square
    EXPECT_EQ(box.State(), csChecked);
    ClickAt(&box, QPoint(3, box.height() / 2));
    EXPECT_EQ(box.State(), csUnchecked);

    box.SetAllowGrayed(false);
    Click(box.Label());
    EXPECT_EQ(box.State(), csChecked);
}

TEST(MyCheckBox, DisabledBoxIgnoresClicks)
{
    TMyCheckBox box(nullptr, "Option");
    box.setEnabled(false);
    EXPECT_FALSE(box.Label()->isEnabled());
    ClickAt(&box, QPoint(3, box.height() / 2));
    EXPECT_EQ(box.State(), csUnchecked);
}

TEST(MyCheckBox, AllDisableSwitchesTheSiblingsWithTheNextChange)
{
    QWidget window;
    auto* box = new TMyCheckBox(&window, "Alles aus");
    auto* edit = new QLineEdit(&window);
    auto* button = new QPushButton(&window);
    auto* other = new TMyCheckBox(&window, "Noch eine");

    box->SetAllDisable(true);
    EXPECT_TRUE(edit->isEnabled());

    box->SetChecked(true);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(other->isEnabled());
    EXPECT_TRUE(box->isEnabled());

    box->SetChecked(false);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_TRUE(other->isEnabled());
}

TEST(MyCheckBox, DrawsTheCrossBlackWhenCheckedAndGreyWhenGrayed)
{
    TMyCheckBox box(nullptr, "Option");
    box.SetAllowGrayed(true);
    const QPoint centre((box.height() - 5) / 2, (3 + box.height() - 2) / 2);
    EXPECT_EQ(Rendered(&box).pixel(centre), QColor(Qt::white).rgb());
    box.SetChecked(true);
    EXPECT_EQ(Rendered(&box).pixel(centre), QColor(Qt::black).rgb());
    box.SetState(csGrayed);
    EXPECT_EQ(Rendered(&box).pixel(centre), QColor(0x77, 0x77, 0x77).rgb());
    box.setEnabled(false);
    box.SetState(csUnchecked);
    EXPECT_EQ(Rendered(&box).pixel(centre), QColor(0xCC, 0xCC, 0xCC).rgb());
}

TEST(MyRadioButton, CaptionGoesToTheLabelAndTheButtonFollowsItsSize)
{
    TMyRadioButton radio(nullptr, "Deutsch");
    EXPECT_TRUE(radio.text().isEmpty());
    EXPECT_EQ(radio.Label()->Caption(), "Deutsch");
    EXPECT_EQ(radio.Label()->pos(), QPoint(15, 0));
    EXPECT_EQ(radio.width(), radio.Label()->width() + 18);
    EXPECT_EQ(radio.height(), radio.Label()->height() + 2);

    radio.SetCaption("English language");
    EXPECT_TRUE(radio.text().isEmpty());
    EXPECT_EQ(radio.Label()->Caption(), "English language");
    EXPECT_EQ(radio.width(), radio.Label()->width() + 18);
    EXPECT_EQ(radio.height(), radio.Label()->height() + 4);
    EXPECT_NE(radio.Label()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(MyRadioButton, ClickOnTheCaptionSelectsTheButtonOnce)
{
    QWidget window;
    auto* first = new TMyRadioButton(&window, "Deutsch");
    auto* second = new TMyRadioButton(&window, "English");
    first->setChecked(true);
    int clicks = 0;
    QObject::connect(second, &QAbstractButton::clicked, [&clicks] { ++clicks; });

    Click(second->Label());
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(first->isChecked());
    EXPECT_EQ(clicks, 1);
}

TEST(HtmlColor, FiveBoxesSideBySideWithTheirColours)
{
    THTMLcolor strip;
    const std::vector<std::string> captions{"Hintergrund", "Text", "Link", "Besuchter Link", "Hover"};
    int left = 2;
    for (int role = 0; role < THTMLcolor::RoleCount; ++role) {
        TMyCheckBox* box = strip.Box(static_cast<THTMLcolor::Role>(role));
        const auto& caption = captions[static_cast<std::size_t>(role)];
        EXPECT_EQ(box->Caption(), caption);
        EXPECT_EQ(box->property("Tag").toInt(), role);
        EXPECT_EQ(box->pos(), QPoint(left, 1));
        left += std::max(static_cast<int>(caption.size()) * 5 + 23, box->width()) + 1;
    }
    EXPECT_EQ(strip.width(), left + 3);
    EXPECT_EQ(strip.height(), 20);
    EXPECT_EQ(strip.Color(THTMLcolor::Hintergrund), QColor(255, 255, 255));
    EXPECT_EQ(strip.Color(THTMLcolor::Text), QColor(0, 0, 0));
    EXPECT_EQ(strip.Color(THTMLcolor::Link), QColor(0, 0, 255));
    EXPECT_EQ(strip.Color(THTMLcolor::BesuchterLink), QColor(128, 0, 128));
    EXPECT_EQ(strip.Color(THTMLcolor::Hover), QColor(255, 0, 0));
}

TEST(HtmlColor, CheckingABoxAsksForItsColour)
{
    StartingUp = false;
    THTMLcolor strip;
    int changes = 0;
    QObject::connect(&strip, &THTMLcolor::Change, [&changes] { ++changes; });

    QColor offered;
    WhenModalShown([&offered](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
    });
    strip.Box(THTMLcolor::Text)->SetChecked(true);

    EXPECT_EQ(offered, QColor(0, 0, 0));
    EXPECT_EQ(strip.Color(THTMLcolor::Text), QColor(10, 20, 30));
    EXPECT_EQ(strip.Box(THTMLcolor::Hintergrund)->palette().color(QPalette::WindowText), QColor(10, 20, 30));
    EXPECT_EQ(changes, 1);

    // Unchecking asks for nothing.
    strip.Box(THTMLcolor::Text)->SetChecked(false);
    EXPECT_EQ(changes, 1);

    WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    strip.Box(THTMLcolor::Hintergrund)->SetChecked(true);
    EXPECT_EQ(strip.Color(THTMLcolor::Hintergrund), QColor(255, 255, 255));
    EXPECT_EQ(changes, 1);
}

TEST(HtmlColor, StaysQuietWhileTheProgramStartsUp)
{
    StartingUp = true;
    THTMLcolor strip;
    strip.Box(THTMLcolor::Link)->SetChecked(true); // a colour dialog would block here
    StartingUp = false;
    EXPECT_EQ(strip.Color(THTMLcolor::Link), QColor(0, 0, 255));
}

TEST(ListView2, ComplainsWhenCreatedAndClearsWhenGone)
{
    RecordingMessages messages;
    QWidget owner;
    owner.setObjectName(QStringLiteral("Form1"));
    int clears = 0;
    {
        TListView2 view(QStringLiteral("Liste"), &owner);
        view.setParent(nullptr);
        new QTreeWidgetItem(&view, QStringList{QStringLiteral("a")});
        QObject::connect(&view, &TListView2::Clear, [&clears] { ++clears; });
        EXPECT_EQ(view.SpalteVariabel(), 0);
    }
    EXPECT_EQ(messages.plain, std::vector<std::string>{"Listview2 nicht mehr verwenden: Liste,Form1"});
    EXPECT_EQ(clears, 1);
}
