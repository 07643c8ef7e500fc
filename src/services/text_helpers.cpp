#include "services/text_helpers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t npos = std::string::npos;

// The search position of a part, treating an empty part as never found.
std::size_t FindPart(const std::string& text, const std::string& part, std::size_t from = 0)
{
    return part.empty() ? npos : text.find(part, from);
}

unsigned char Byte(char c)
{
    return static_cast<unsigned char>(c);
}

// Windows-1252 upper-casing of one byte. Pairs that differ by 0x20: a-z and the
// accented letters 0xE0-0xFE except the division sign 0xF7. Sharp s (0xDF) has
// no capital in the code page. Three more lower-case letters sit below 0xA0
// (š œ ž, their capitals 0x10 lower), and ÿ's capital is 0x9F.
char UpperChar(char c)
{
    const unsigned char b = Byte(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return static_cast<char>(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E)
        return static_cast<char>(b - 0x10);
    if (b == 0xFF)
        return static_cast<char>(0x9F);
    return c;
}

char LowerCharDe(char c)
{
    const unsigned char b = Byte(c);
    if ((b >= 'A' && b <= 'Z') || b == 0xC4 || b == 0xD6 || b == 0xDC) // Ä Ö Ü
        return static_cast<char>(b + 0x20);
    return c;
}

bool IsWordStartMark(char c)
{
    return std::string_view("-():&.#, ").find(c) != std::string_view::npos;
}

} // namespace

bool SwitchPresent(const std::string& switchText, const std::string& text)
{
    return Contains(UpperStr(switchText), UpperStr(text));
}

bool Contains(const std::string& part, const std::string& text)
{
    return FindPart(text, part) != npos;
}

int LastPos(const std::string& part, const std::string& text)
{
    if (part.empty())
        return 0;
    const std::size_t found = text.rfind(part);
    return found == npos ? 0 : static_cast<int>(found) + 1;
}

int CountOf(const std::string& part, const std::string& text)
{
    int count = 0;
    for (std::size_t at = FindPart(text, part); at != npos; at = FindPart(text, part, at + part.size()))
        ++count;
    return count;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.starts_with(prefix);
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.ends_with(suffix);
}

std::string LeftStr(const std::string& text, int n)
{
    return n <= 0 ? std::string() : text.substr(0, static_cast<std::size_t>(n));
}

std::string RightStr(const std::string& text, int n)
{
    if (n <= 0)
        return {};
    const std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
    return text.substr(text.size() - count);
}

std::string TailFrom(const std::string& text, int pos)
{
    if (pos <= 1)
        return text;
    const auto skip = static_cast<std::size_t>(pos - 1);
    return skip >= text.size() ? std::string() : text.substr(skip);
}

std::string Fetch(std::string& text, const std::string& separator)
{
    const std::size_t at = FindPart(text, separator);
    if (at == npos)
        return std::exchange(text, std::string());
    std::string head = text.substr(0, at);
    text.erase(0, at + 1);
    return head;
}

std::string TrimStr(const std::string& text)
{
    const auto isBlank = [](char c) { return Byte(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string RepeatStr(const std::string& text, int n)
{
    std::string result;
    for (int i = 0; i < n; ++i)
        result += text;
    return result;
}

std::string UpperStr(const std::string& text)
{
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), UpperChar);
    return result;
}

std::string LowerStrDe(const std::string& text)
{
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), LowerCharDe);
    return result;
}

std::string CapitalizeWords(const std::string& text)
{
    std::string result = TrimStr(text);
    for (std::size_t i = 0; i < result.size(); ++i)
        if (i == 0 || IsWordStartMark(result[i - 1]))
            result[i] = UpperChar(result[i]);
    return result;
}

void ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText == newText)
        return;
    if (Contains(oldText, newText)) {
        // Searching from the start again would find the inserted text forever.
        ReplaceAllNoCase(text, oldText, newText);
        return;
    }
    // No occurrence lies wholly before the one just replaced, so searching again
    // from just before it finds what a search from the start would.
    const std::size_t overlap = oldText.size() - 1;
    for (std::size_t at = FindPart(text, oldText); at != npos;
         at = FindPart(text, oldText, at > overlap ? at - overlap : 0))
        text.replace(at, oldText.size(), newText);
}

bool ReplaceAllNoCase(std::string& text, const std::string& oldText, const std::string& newText)
{
    if (oldText == newText)
        return false;
    const std::string upperOld = UpperStr(oldText);
    const std::string upperText = UpperStr(text);
    std::size_t at = FindPart(upperText, upperOld);
    if (at == npos)
        return false;
    std::string result;
    std::size_t rest = 0; // start of the remainder not yet copied
    for (; at != npos; at = FindPart(upperText, upperOld, rest)) {
        result.append(text, rest, at - rest);
        result += newText;
        rest = at + upperOld.size();
    }
    text = result + text.substr(rest);
    return true;
}

std::string NumToStr(std::int64_t n)
{
    return std::to_string(n);
}

std::string NumToStrDots(std::int64_t n)
{
    std::string text = NumToStr(n);
    const std::size_t sign = n < 0 ? 1 : 0;
    for (std::size_t k = 3; text.size() > k + sign; k += 4)
        text.insert(text.size() - k, 1, '.');
    return text;
}

std::string NumToStrZero(int width, std::int64_t n)
{
    std::string text = NumToStr(n);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::int64_t StrToInt64De(const std::string& text)
{
    std::string digits = text.substr(0, text.find(','));
    std::erase(digits, '.');

    std::size_t i = digits.find_first_not_of(" \t");
    if (i == npos)
        return 0;
    const bool negative = digits[i] == '-';
    if (digits[i] == '-' || digits[i] == '+')
        ++i;

    // Accumulate as a negative number so that the lowest value fits; saturate
    // instead of overflowing on absurdly long digit runs.
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < digits.size() && std::isdigit(Byte(digits[i])); ++i) {
        const int digit = digits[i] - '0';
        value = value < (lowest + digit) / 10 ? lowest : value * 10 - digit;
    }
    if (negative)
        return value;
    return value == lowest ? std::numeric_limits<std::int64_t>::max() : -value;
}

std::string JaNein(bool b)
{
    return b ? "Ja" : "Nein";
}

std::string ZeroOne(bool b)
{
    return b ? "1" : "0";
}

std::string IfStr(bool b, const std::string& whenTrue, const std::string& whenFalse)
{
    return b ? whenTrue : whenFalse;
}

std::string SingularPlural(const std::string& singular, const std::string& plural, std::int64_t count)
{
    return count == 1 ? singular : plural;
}

TColor ColorFromName(const std::string& name)
{
    struct NamedColor {
        const char* name;
        TColor value;
    };
    // The desktop's colour identifiers, values as 0x00BBGGRR, upper case for the comparison.
    static constexpr std::array<NamedColor, 20> colors{{
        {"CLBLACK", 0x000000},      {"CLMAROON", 0x000080},  {"CLGREEN", 0x008000}, {"CLOLIVE", 0x008080},
        {"CLNAVY", 0x800000},       {"CLPURPLE", 0x800080},  {"CLTEAL", 0x808000},  {"CLGRAY", 0x808080},
        {"CLSILVER", 0xC0C0C0},     {"CLRED", 0x0000FF},     {"CLLIME", 0x00FF00},  {"CLYELLOW", 0x00FFFF},
        {"CLBLUE", 0xFF0000},       {"CLFUCHSIA", 0xFF00FF}, {"CLAQUA", 0xFFFF00},  {"CLWHITE", 0xFFFFFF},
        {"CLMONEYGREEN", 0xC0DCC0}, {"CLSKYBLUE", 0xF0CAA6}, {"CLCREAM", 0xF0FBFF}, {"CLMEDGRAY", 0xA4A0A0},
    }};
    const std::string wanted = UpperStr(name);
    for (const NamedColor& color : colors)
        if (wanted == color.name)
            return color.value;
    return 0;
}

std::int64_t Max64(std::int64_t a, std::int64_t b)
{
    return std::max(a, b);
}

void Swap32(std::int32_t& a, std::int32_t& b)
{
    std::swap(a, b);
}

void Swap32(std::uint32_t& a, std::uint32_t& b)
{
    std::swap(a, b);
}

TRect OffsetOrInsetRect(TRect rect, std::int32_t d, bool move)
{
    const std::int32_t farSide = move ? d : -d;
    return {rect.Left + d, rect.Top + d, rect.Right + farSide, rect.Bottom + farSide};
}
