// The language list and the translation through it: any list and text
// translate without fault (only "|n" may name an entry the list lacks), a text
// stays as it is within one language, and the first pair of a list translates
// into each other.
//
// Input: the language file, NUL, the text to translate.

#include "fuzz_support.h"

#include "support/language_list.h"

#include <optional>
#include <stdexcept>

namespace {

// A text that translation takes whole: no parameter, accelerator, format mark
// or ending that the lookup splits off.
bool TakenWhole(const std::string& text)
{
    return !text.empty() && text != "-" && text.find_first_of("|&") == std::string::npos &&
           text.find("%s") == std::string::npos && std::string_view("!.:?").find(text.back()) == std::string_view::npos;
}

std::optional<std::string> Translate(const std::string& text, std::uint8_t from, std::uint8_t to)
{
    try {
        return TranslateText(text, from, to);
    } catch (const std::out_of_range&) {
        FUZZ_CHECK(text.starts_with('|'));
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceMessages();
    TranslationOn = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = SplitAtNul(AsText(data, size), 2);
    Sprachliste.Clear();
    Sprachliste.Addstrings(LinesOf(parts[0]));
    const std::string text = parts.size() > 1 ? parts[1] : std::string();

    if (text.find('|') == std::string::npos)
        FUZZ_CHECK(TranslateText(text, LanguageGerman, LanguageGerman) == text);
    Translate(text, LanguageGerman, LanguageEnglish);
    Translate(text, LanguageEnglish, LanguageGerman);

    const auto& lines = Sprachliste.Lines();
    if (lines.size() >= 2 && TakenWhole(lines[0]) && TakenWhole(lines[1])) {
        FUZZ_CHECK(TranslateText(lines[0], LanguageGerman, LanguageEnglish) == lines[1]);
        FUZZ_CHECK(TranslateText(lines[1], LanguageEnglish, LanguageGerman) == lines[0]);
    }
    return 0;
}
