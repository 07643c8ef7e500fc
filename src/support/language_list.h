#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// German/English text pairs and the lookup that turns a program text into the
// interface language. Entry 2k of the language list is a German text, entry
// 2k + 1 its English partner. Texts are Windows-1252 bytes.

constexpr std::uint8_t LanguageGerman = 0;
constexpr std::uint8_t LanguageEnglish = 1;

// The language the program's own texts are written in.
constexpr std::uint8_t TextLanguage = LanguageGerman;
// The language the windows are shown in now; changed only by switching the windows.
extern std::uint8_t CurrentLanguage;
// The language the user chose, -1 while none is known.
extern std::int32_t ChosenLanguage;
// Lookups happen only while this is on; start-up turns it on.
extern bool TranslationOn;

// A list of text lines that complains (through the plain message box) about
// language files with an odd number of lines but uses them anyway.
class Tsprachstringlist {
public:
    virtual ~Tsprachstringlist() = default;

    // Appends the lines.
    virtual void Addstrings(const std::vector<std::string>& lines);
    // Inserts the lines at index, index + 1, ... of the program's language list
    // (Sprachliste), whichever list it is called on. Throws std::out_of_range when
    // index lies outside 0..Count() of that list; nothing is inserted then.
    void Insertstrings(int index, const std::vector<std::string>& lines);

    int Count() const { return static_cast<int>(lines_.size()); }
    // The entry at index; throws std::out_of_range outside 0..Count()-1.
    const std::string& Strings(std::int64_t index) const;
    const std::vector<std::string>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

// The program's one language list, empty until the windows add their pairs.
extern Tsprachstringlist Sprachliste;

// Translates one text from one language to the other through Sprachliste:
// a parameter behind the last "|" replaces "%s", "|n" (or "|n|parameter")
// names entry n, trailing "...", "!", ".", ":" or "?" are kept, an accelerator
// "&" survives only when the text had one. Unknown texts come back unchanged.
std::string TranslateText(const std::string& text, std::uint8_t fromLanguage, std::uint8_t toLanguage);

// Switches the program from the current language to another: refuses (false)
// while translation is off or for a language above 1, returns true at once when
// the language is already current, otherwise lets translateWindows(from, to)
// translate the open windows, makes the language current and returns true.
// The windows' side is TranslateForms in support/language_forms.h.
bool SwitchLanguage(int language, const std::function<void(std::uint8_t from, std::uint8_t to)>& translateWindows);
