#include "recording_messages.h"
#include "support/language_list.h"
#include "support/messages.h"
#include "support/translation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class Language : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = SetMessageService(&messages);
        Sprachliste.Clear();
        Sprachliste.Addstrings({
            "Programm beenden",
            "Quit program",
            "&Abbrechen",
            "C&ancel",
            "Konnte das Verzeichnis %s nicht anlegen",
            "Could not create the folder %s",
            "Gr\xF6\xDF"
            "e",
            "Size", // Größe
            "\xD6"
            "ffnen",
            "Open", // Öffnen
            "&Weiter",
            "&Continue",
            "Ende",
            "&Finish",
        });
        TranslationOn = true;
        CurrentLanguage = LanguageGerman;
    }
    void TearDown() override
    {
        SetMessageService(previous);
        Sprachliste.Clear();
        TranslationOn = false;
        CurrentLanguage = LanguageGerman;
    }

    static std::string ToEnglish(const std::string& text) { return TranslateText(text, 0, 1); }

    RecordingMessages messages;
    MessageService* previous = nullptr;
};

TEST_F(Language, TrailingPunctuationIsLookedUpWithoutAndPutBackBehindThePartner)
{
    EXPECT_EQ(ToEnglish("Programm beenden?"), "Quit program?");
    EXPECT_EQ(ToEnglish("Programm beenden!"), "Quit program!");
    EXPECT_EQ(ToEnglish("Programm beenden."), "Quit program.");
    EXPECT_EQ(ToEnglish("Programm beenden:"), "Quit program:");
    EXPECT_EQ(ToEnglish("\xD6"
                        "ffnen..."),
              "Open...");
    EXPECT_EQ(ToEnglish("Programm beenden"), "Quit program");
    // Only one suffix comes off: "?!" leaves "?" in the key, which is then not found.
    EXPECT_EQ(ToEnglish("Programm beenden?!"), "Programm beenden?!");
}

TEST_F(Language, LookupIgnoresLetterCaseIncludingUmlauts)
{
    EXPECT_EQ(ToEnglish("PROGRAMM BEENDEN?"), "Quit program?");
    EXPECT_EQ(ToEnglish("gr\xF6\xDF"
                        "e:"),
              "Size:"); // größe:
    EXPECT_EQ(ToEnglish("\xF6"
                        "ffnen"),
              "Open"); // öffnen
}

TEST_F(Language, AcceleratorSurvivesOnlyWhenTheTextHadOne)
{
    EXPECT_EQ(ToEnglish("&Abbrechen"), "C&ancel");
    EXPECT_EQ(ToEnglish("Abbrechen"), "Cancel");
    EXPECT_EQ(ToEnglish("Abb&rechen"), "C&ancel");
    EXPECT_EQ(ToEnglish("W&eiter"), "&Continue");
    EXPECT_EQ(ToEnglish("Ende"), "Finish");
    EXPECT_EQ(ToEnglish("&Ende"), "&Finish");
}

TEST_F(Language, ParameterReplacesPercentS)
{
    const std::string text = "Konnte das Verzeichnis %s nicht anlegen|/home/anna/Tapsody/";
    EXPECT_EQ(ToEnglish(text), "Could not create the folder /home/anna/Tapsody/");
    EXPECT_EQ(TranslateText(text, 0, 0), "Konnte das Verzeichnis /home/anna/Tapsody/ nicht anlegen");
    // The last "|" separates the parameter; unknown texts still get it.
    EXPECT_EQ(ToEnglish("Fehler %s in %s|a|b"), "Fehler b in b|a");
    // A parameter holding "%s" is inserted once, not expanded again.
    EXPECT_EQ(ToEnglish("Konnte das Verzeichnis %s nicht anlegen.|%s"), "Could not create the folder %s.");
    // An empty parameter removes the placeholder.
    EXPECT_EQ(ToEnglish("Konnte das Verzeichnis %s nicht anlegen|"), "Could not create the folder ");
}

TEST_F(Language, IndexFormNamesAnEntryOfTheList)
{
    EXPECT_EQ(ToEnglish("|0"), "Quit program");
    EXPECT_EQ(ToEnglish("|4|/tmp/x/"), "Could not create the folder /tmp/x/");
    EXPECT_EQ(TranslateText("|4|/tmp/x/", 1, 1), "Konnte das Verzeichnis /tmp/x/ nicht anlegen");
    // Without a parameter "%s" stays; lenient numbers read "4,9" as 4 and "x" as 0.
    EXPECT_EQ(ToEnglish("|4,9"), "Could not create the folder %s");
    EXPECT_EQ(ToEnglish("|x"), "Quit program");
    // The rest after the second "|" is the parameter, further bars included.
    EXPECT_EQ(ToEnglish("|4|a|b"), "Could not create the folder a|b");
}

TEST_F(Language, IndexFormOutsideTheListIsAnError)
{
    EXPECT_THROW(ToEnglish("|14"), std::out_of_range);
    EXPECT_THROW(ToEnglish("|-1"), std::out_of_range);
}

TEST_F(Language, ReverseDirectionSearchesEnglishEntriesAndTakesTheGermanPartner)
{
    EXPECT_EQ(TranslateText("Quit program?", 1, 0), "Programm beenden?");
    EXPECT_EQ(TranslateText("C&ancel", 1, 0), "&Abbrechen");
    EXPECT_EQ(TranslateText("Cancel", 1, 0), "Abbrechen");
    // A German text is not found among the English entries.
    EXPECT_EQ(TranslateText("Programm beenden?", 1, 0), "Programm beenden?");
}

TEST_F(Language, OnlyEntriesOfTheSourceLanguageAreCompared)
{
    Sprachliste.Clear();
    Sprachliste.Addstrings({"Eins", "Zwei", "Zwei", "Two"});
    EXPECT_EQ(ToEnglish("Zwei"), "Two");
    EXPECT_EQ(TranslateText("Zwei", 1, 0), "Eins");
}

TEST_F(Language, SwitchOffOrSameLanguageOnlyInsertsTheParameter)
{
    TranslationOn = false;
    EXPECT_EQ(ToEnglish("Programm beenden?"), "Programm beenden?");
    EXPECT_EQ(ToEnglish("Konnte das Verzeichnis %s nicht anlegen|/x/"), "Konnte das Verzeichnis /x/ nicht anlegen");
    TranslationOn = true;
    EXPECT_EQ(TranslateText("&Abbrechen", 0, 0), "&Abbrechen");
    EXPECT_EQ(TranslateText("C&ancel", 1, 1), "C&ancel");
}

TEST_F(Language, SeparatorsEmptyAndUnknownTextsComeBackUnchanged)
{
    Sprachliste.Addstrings({"-", "should not be used"});
    EXPECT_EQ(ToEnglish("-"), "-");
    EXPECT_EQ(ToEnglish(""), "");
    EXPECT_EQ(ToEnglish("Unbekannter Text..."), "Unbekannter Text...");
}

TEST_F(Language, GermanTextWithoutPartnerAtTheEndOfAnOddListStaysGerman)
{
    Sprachliste.Addstrings({"Verwaist"});
    EXPECT_EQ(ToEnglish("Verwaist"), "Verwaist");
}

TEST_F(Language, OddFilesAreReportedAndUsedAnyway)
{
    Tsprachstringlist list;
    list.Addstrings({"Peep bei Tastendruck", "Keyboardbeep", "Fragen vor beenden"});
    list.Addstrings({"Ask to quit"});
    list.Addstrings({"a", "b"});
    EXPECT_EQ(messages.plain, (std::vector<std::string>{"Sprachedatei ungerade:Peep bei Tastendruck",
                                                        "Sprachedatei ungerade:Ask to quit"}));
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"Peep bei Tastendruck", "Keyboardbeep", "Fragen vor beenden",
                                                      "Ask to quit", "a", "b"}));
}

TEST_F(Language, InsertstringsPutsPairsBeforeTheAppendedOnesOfTheProgramList)
{
    Sprachliste.Clear();
    Sprachliste.Addstrings({"Peep bei Tastendruck", "Keyboardbeep"});
    Tsprachstringlist other;
    other.Insertstrings(0, {"-Infoform", "-", "Kontakt", "how to contact"});
    EXPECT_EQ(other.Count(), 0);
    EXPECT_EQ(Sprachliste.Lines(), (std::vector<std::string>{"-Infoform", "-", "Kontakt", "how to contact",
                                                             "Peep bei Tastendruck", "Keyboardbeep"}));
    EXPECT_EQ(ToEnglish("|2"), "how to contact");

    Sprachliste.Insertstrings(1, {"x"});
    EXPECT_EQ(messages.plain, std::vector<std::string>{"Sprachedatei ungerade:x"});
    EXPECT_EQ(Sprachliste.Strings(1), "x");
}

TEST_F(Language, InsertstringsOutsideTheListInsertsNothing)
{
    const auto before = Sprachliste.Lines();
    EXPECT_THROW(Sprachliste.Insertstrings(Sprachliste.Count() + 1, {"a", "b"}), std::out_of_range);
    EXPECT_THROW(Sprachliste.Insertstrings(-1, {"a", "b"}), std::out_of_range);
    EXPECT_EQ(Sprachliste.Lines(), before);
    Sprachliste.Insertstrings(Sprachliste.Count(), {"a", "b"});
    EXPECT_EQ(Sprachliste.Strings(Sprachliste.Count() - 1), "b");
}

TEST_F(Language, ProgramTextsFollowTheCurrentLanguage)
{
    EXPECT_EQ(TranslateProgramText("Programm beenden?"), "Programm beenden?");
    ASSERT_TRUE(SwitchLanguage(1, nullptr));
    EXPECT_EQ(TranslateProgramText("Programm beenden?"), "Quit program?");
    EXPECT_EQ(TranslateProgramText("|4|/x/"), "Could not create the folder /x/");
}

TEST_F(Language, SwitchingRefusesUnknownLanguagesAndWorksOnlyWithTranslationOn)
{
    std::vector<std::pair<int, int>> calls;
    const auto record = [&calls](std::uint8_t from, std::uint8_t to) { calls.emplace_back(from, to); };

    EXPECT_FALSE(SwitchLanguage(2, record));
    EXPECT_FALSE(SwitchLanguage(-1, record));
    EXPECT_TRUE(SwitchLanguage(0, record)); // already German: nothing to do
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(SwitchLanguage(1, record));
    EXPECT_TRUE(SwitchLanguage(1, record));
    EXPECT_EQ(CurrentLanguage, LanguageEnglish);
    TranslationOn = false;
    EXPECT_FALSE(SwitchLanguage(0, record));
    EXPECT_EQ(CurrentLanguage, LanguageEnglish);
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 1}}));
}

TEST_F(Language, KeyboardWindowPairsTranslateItsTexts)
{
    std::ifstream file(TAPSODY_SOURCE_DIR "/data/sprachmemo.txt", std::ios::binary);
    ASSERT_TRUE(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        lines.push_back(line.substr(0, line.size() - 1));
    }
    ASSERT_EQ(lines.size(), 10u);
    Sprachliste.Clear();
    Sprachliste.Addstrings(lines);
    EXPECT_TRUE(messages.plain.empty());
    EXPECT_EQ(ToEnglish("Bitte vorher ein Fenster aktivieren."), "At first, select a window.");
    EXPECT_EQ(ToEnglish("Parameter /i nicht m\xF6glich!"), "Parameter /i is not possible!");
    EXPECT_EQ(ToEnglish("&Peep bei Tastendruck"), "Keyboardbeep");
    EXPECT_EQ(ToEnglish("Fragen vor beenden"), "Ask to quit");
    EXPECT_EQ(ToEnglish("Tastaturlayout bearbeiten..."), "Edit keyboard layout...");
}

} // namespace
