#include "support/language_list.h"

#include "services/text_helpers.h"
#include "support/messages.h"
#include "support/translation.h"

#include <optional>
#include <stdexcept>
#include <string_view>

std::uint8_t CurrentLanguage = TextLanguage;
std::int32_t ChosenLanguage = -1;
bool TranslationOn = false;
Tsprachstringlist Sprachliste;

namespace {

void WarnWhenOdd(const std::vector<std::string>& lines)
{
    if (lines.size() % 2 != 0)
        ShowPlainMessage("Sprachedatei ungerade:" + lines.front());
}

std::string WithoutFirstAmpersand(std::string text)
{
    if (const auto at = text.find('&'); at != std::string::npos)
        text.erase(at, 1);
    return text;
}

// Texts are compared without their first accelerator and in upper case.
std::string ComparisonKey(const std::string& text)
{
    return UpperStr(WithoutFirstAmpersand(text));
}

// Removes a trailing "..." or one of "!", ".", ":", "?" from key and returns it.
std::string SplitOffSuffix(std::string& key)
{
    std::string suffix;
    if (EndsWith(key, "..."))
        suffix = "...";
    else if (!key.empty() && std::string_view("!.:?").find(key.back()) != std::string_view::npos)
        suffix = key.substr(key.size() - 1);
    key.resize(key.size() - suffix.size());
    return suffix;
}

// Replaces every "%s" by the parameter; inserted text is not searched again.
void InsertParameter(std::string& text, const std::optional<std::string>& parameter)
{
    if (!parameter)
        return;
    for (auto at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + parameter->size()))
        text.replace(at, 2, *parameter);
}

// A text split at its "|": what is to be translated and the parameter, if any.
struct SplitText {
    std::string body;
    std::optional<std::string> parameter;
    bool indexForm = false;
};

SplitText SplitParameter(const std::string& text)
{
    const auto bar = text.rfind('|');
    if (bar == std::string::npos)
        return {text, std::nullopt, false};
    if (text.front() != '|')
        return {text.substr(0, bar), text.substr(bar + 1), false};

    // "|n" names entry n of the list; "|n|parameter" adds a parameter.
    SplitText split{{}, std::nullopt, true};
    std::string number = text.substr(1);
    if (const auto next = number.find('|'); next != std::string::npos) {
        split.parameter = number.substr(next + 1);
        number.resize(next);
    }
    split.body = Sprachliste.Strings(StrToInt64De(number));
    return split;
}

std::optional<std::size_t> FindEntry(const std::string& key, std::uint8_t language)
{
    const auto& lines = Sprachliste.Lines();
    for (std::size_t i = language; i < lines.size(); i += 2)
        if (ComparisonKey(lines[i]) == key)
            return i;
    return std::nullopt;
}

std::string TranslateToCurrentLanguage(const std::string& text)
{
    return TranslateText(text, TextLanguage, CurrentLanguage);
}

// TranslateProgramText goes through the language list from the start on.
struct LookupInstaller {
    LookupInstaller() { SetProgramTextTranslator(&TranslateToCurrentLanguage); }
} lookupInstaller;

} // namespace

void Tsprachstringlist::Addstrings(const std::vector<std::string>& lines)
{
    WarnWhenOdd(lines);
    lines_.insert(lines_.end(), lines.begin(), lines.end());
}

void Tsprachstringlist::Insertstrings(int index, const std::vector<std::string>& lines)
{
    WarnWhenOdd(lines);
    auto& target = Sprachliste.lines_;
    if (index < 0 || static_cast<std::size_t>(index) > target.size())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    target.insert(target.begin() + index, lines.begin(), lines.end());
}

const std::string& Tsprachstringlist::Strings(std::int64_t index) const
{
    if (index < 0 || static_cast<std::uint64_t>(index) >= lines_.size())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return lines_[static_cast<std::size_t>(index)];
}

std::string TranslateText(const std::string& text, std::uint8_t fromLanguage, std::uint8_t toLanguage)
{
    if (text.empty())
        return text;
    SplitText split = SplitParameter(text);
    std::string result = split.body;
    if (fromLanguage == toLanguage || !TranslationOn) {
        InsertParameter(result, split.parameter);
        return result;
    }
    if (result == "-")
        return result;

    std::string key = ComparisonKey(split.body);
    const std::string suffix = split.indexForm ? std::string() : SplitOffSuffix(key);
    if (const auto found = FindEntry(key, fromLanguage)) {
        const std::size_t partner = fromLanguage <= toLanguage ? *found + 1 : *found - 1;
        // A list damaged by an odd file may lack the last partner: keep the text then.
        if (partner < static_cast<std::size_t>(Sprachliste.Count())) {
            result = Sprachliste.Lines()[partner] + suffix;
            if (split.body.find('&') == std::string::npos)
                result = WithoutFirstAmpersand(result);
        }
    }
    InsertParameter(result, split.parameter);
    return result;
}

bool SwitchLanguage(int language, const std::function<void(std::uint8_t from, std::uint8_t to)>& translateWindows)
{
    if (!TranslationOn || language < 0 || language > LanguageEnglish)
        return false;
    const auto target = static_cast<std::uint8_t>(language);
    if (target == CurrentLanguage)
        return true;
    if (translateWindows)
        translateWindows(CurrentLanguage, target);
    CurrentLanguage = target;
    return true;
}
