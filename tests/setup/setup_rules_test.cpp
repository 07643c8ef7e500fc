// The portable rules of installation: version numbers from titles and how an
// installed version stands to the running one, the licence text, the fixed texts.

#include "services/text_helpers.h"
#include "setup/fixed_texts.h"
#include "setup/licence_text.h"
#include "setup/version_number.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

TEST(VersionNumber, TitlesGiveSignedNumbers)
{
    const std::pair<const char*, std::int32_t> cases[] = {
        {"Tapsody 1.7", 107}, {"Tapsody 1.7b", -107}, {"Tapsody 2.15", 215}, {"Ein Programm 10.0", 1000}, {"1.8", 108},
    };
    for (const auto& [title, number] : cases)
        EXPECT_EQ(VersionNumberFromTitle(title), number) << title;
}

TEST(VersionNumber, PreReleasesCountAsOlderThanTheirRelease)
{
    using enum InstalledVersion;
    const struct {
        std::int32_t installed, own;
        InstalledVersion expected;
    } cases[] = {
        {106, 107, Older}, {-107, 107, Older}, {-107, -107, Older}, {107, 107, Same},
        {108, 107, Newer}, {107, -107, Newer}, {-108, 107, Newer},  {-106, -107, Older},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareInstalled(c.installed, c.own), c.expected) << c.installed << " / " << c.own;
}

TEST(FixedTexts, AreKeptScrambledAndReadBack)
{
    EXPECT_EQ(MakerText(), "Wellenfeld Software");
    EXPECT_EQ(ContactText(), "kontakt@tapsody.example");
    EXPECT_EQ(AuthorText(), "Das Tapsody-Team");
    EXPECT_EQ(Unscramble(Scramble("Gr\xFC\xDF"
                                  "e")),
              "Gr\xFC\xDF"
              "e");
    const std::vector<std::uint8_t> scrambled = Scramble(MakerText());
    EXPECT_EQ(std::string(scrambled.begin(), scrambled.end()).find("Wellenfeld"), std::string::npos);
}

TEST(LicenceText, HeadingsParagraphsAndSeparatorsWithoutLists)
{
    const std::vector<std::string> document = {
        "<html>",
        "<body bgcolor=\"#FFFFFF\">",
        "<p><img src=\"index.gif\"></p>",
        "<h1>Lizenz</h1>",
        "<p>",
        "Erste Zeile",
        "&quot;zweite&quot; Zeile",
        "</p>",
        "<ul>",
        "<li>weg</li>",
        "</ul>",
        "<H2 id=\"x\">Teil</H2>",
        "Text vor</P>",
        "<p>---</p>",
        "<p>Nach dem Strich",
        "</p>",
        "<ol>",
        "<li>auch weg</li>",
        "</ol>",
        "<p>--- Ende</p>",
        "<p>nicht mehr</p>",
        "<p><img src=\"../Bild/a.gif\"></p>",
    };
    EXPECT_EQ(ExtractLicenceText(document),
              (std::vector<std::string>{"Lizenz", "------", "Erste Zeile \"zweite\" Zeile", "", "Teil", "----",
                                        "Text vor", "---", "Nach dem Strich", "--- Ende"}));
}

TEST(LicenceText, AListLeftOpenRunsToTheEnd)
{
    EXPECT_EQ(ExtractLicenceText({"<h1>A</h1>", "<ul>", "<li>b</li>", "<p>c</p>"}),
              (std::vector<std::string>{"A", "-"}));
}

std::vector<std::string> DataLines(const std::string& name)
{
    std::ifstream in(std::string(TAPSODY_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

TEST(LicenceText, BothDocumentsShowTheTermsInFull)
{
    for (const auto& [file, grant, warranty] :
         {std::tuple{"lizenzde.htm", "Hiermit wird jeder Person", "DIE SOFTWARE WIRD OHNE JEDE"},
          std::tuple{"lizenzen.htm", "Permission is hereby granted", "THE SOFTWARE IS PROVIDED \"AS IS\""}}) {
        const std::vector<std::string> document = DataLines(file);
        std::string text;
        for (const std::string& line : ExtractLicenceText(document))
            text += line + "\n";
        EXPECT_NE(text.find(grant), std::string::npos) << file;
        EXPECT_NE(text.find(warranty), std::string::npos) << file;
        EXPECT_EQ(text.find('<'), std::string::npos) << text;
        int body = 0, index = 0, picture = 0, listEnds = 0;
        for (const std::string& line : document) {
            body += Contains("<body", line);
            index += Contains("index.gif", line);
            picture += Contains("../Bild/", line);
            listEnds += line == "</ul>";
        }
        EXPECT_EQ(std::tuple(body, index, picture, listEnds >= 1), std::tuple(1, 1, 1, true)) << file;
    }
}

TEST(TransPairs, BlockMarkersAndMessagesSitAtTheirLineIndexes)
{
    const std::vector<std::string> lines = DataLines("trans.txt");
    ASSERT_EQ(lines.size(), 386u);
    const std::pair<int, const char*> markers[] = {{0, "-Infoform"}, {22, "--22"}, {62, "-Datei"},
                                                   {168, "----"},    {226, "---"}, {282, "----Infoformblatt"},
                                                   {360, "---"},     {366, "--"}};
    for (const auto& [index, marker] : markers)
        EXPECT_EQ(lines[static_cast<std::size_t>(index)], marker) << index;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        const bool isMarker = lines[i].starts_with("-");
        EXPECT_EQ(isMarker, std::any_of(std::begin(markers), std::end(markers),
                                        [&](const auto& m) { return static_cast<std::size_t>(m.first) == i; }))
            << i << ": " << lines[i];
        EXPECT_FALSE(lines[i + 1].empty()) << i;
    }
    EXPECT_EQ(lines[14], "Das vorhandene Produkt konnte nicht aktualsiert werden. Starte das vorhandene Produkt.");
    EXPECT_EQ(lines[19], "You already have installed an older version of this product. Update product to %s?");
    EXPECT_EQ(lines[25], "If you agree to our licence please click \"Yes\", else please select \"No\".");
}

} // namespace
