#pragma once

#include <cstdint>
#include <string>

// Small text, number and command-line routines shared by the whole program.
// Texts are Windows-1252 bytes. Positions count from 1; 0 means "not found".
// An empty part is never found.

// --- Command line ---------------------------------------------------------

// The switch occurs anywhere in text, in any letter case (also inside a longer word).
bool SwitchPresent(const std::string& switchText, const std::string& text);

// --- Searching and cutting (case-sensitive) ---------------------------------

bool Contains(const std::string& part, const std::string& text);
// Position of the last occurrence of part in text, 0 when none.
int LastPos(const std::string& part, const std::string& text);
// Non-overlapping occurrences, counted from the left.
int CountOf(const std::string& part, const std::string& text);
bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWith(const std::string& text, const std::string& suffix);
// The first n characters (the whole text when n is larger, empty when n <= 0).
std::string LeftStr(const std::string& text, int n);
// The last n characters (the whole text when n is larger, empty when n <= 0).
std::string RightStr(const std::string& text, int n);
// Text without its first pos - 1 characters; the whole text when pos <= 0.
std::string TailFrom(const std::string& text, int pos);
// Returns the part of text before the first separator; text loses that part and
// the separator's first character. Without a separator, returns all of text and
// empties it.
std::string Fetch(std::string& text, const std::string& separator);
// Without leading and trailing characters of code 32 or below.
std::string TrimStr(const std::string& text);
// Text repeated n times (empty for n <= 0).
std::string RepeatStr(const std::string& text, int n);

// --- Letter case ------------------------------------------------------------

// Upper case by the Windows-1252 rule: a-z and the accented letters, umlauts
// included; letters without an upper-case partner in the code page (sharp s,
// micro sign, florin) stay.
std::string UpperStr(const std::string& text);
// Only A-Z and the three umlauts Ä Ö Ü become lower case.
std::string LowerStrDe(const std::string& text);
// Trims, then upper-cases the first character and each one after - ( ) : & . # , or a space.
std::string CapitalizeWords(const std::string& text);

// --- Replacing --------------------------------------------------------------

// Replaces the first occurrence of oldText until none is left, so occurrences
// that a replacement forms are replaced too. When newText contains oldText,
// works as ReplaceAllNoCase instead, which cannot loop.
void ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText);
// Replaces every occurrence in any letter case; replaced text is never searched
// again. Returns whether oldText occurred.
bool ReplaceAllNoCase(std::string& text, const std::string& oldText, const std::string& newText);

// --- Numbers ----------------------------------------------------------------

std::string NumToStr(std::int64_t n);
// German digit grouping: 1234567 gives "1.234.567".
std::string NumToStrDots(std::int64_t n);
// NumToStr(n) with leading "0" up to width characters.
std::string NumToStrZero(int width, std::int64_t n);
// Drops everything from the first ",", removes every ".", then reads a decimal
// number leniently: leading blanks, an optional sign, digits up to the first
// other character; 0 when no digit is read. "1.234,56" gives 1234.
std::int64_t StrToInt64De(const std::string& text);

// --- Choices ----------------------------------------------------------------

std::string JaNein(bool b);
std::string ZeroOne(bool b);
std::string IfStr(bool b, const std::string& whenTrue, const std::string& whenFalse);
std::string SingularPlural(const std::string& singular, const std::string& plural, std::int64_t count);

// --- Colours and rectangles -------------------------------------------------

// A colour as 0x00BBGGRR.
using TColor = std::uint32_t;

// The colour named by a colour identifier such as "clNavy", ignoring case;
// 0 (black) for any other text.
TColor ColorFromName(const std::string& name);

std::int64_t Max64(std::int64_t a, std::int64_t b);
void Swap32(std::int32_t& a, std::int32_t& b);
void Swap32(std::uint32_t& a, std::uint32_t& b);

struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

// Left and top grow by d; right and bottom grow by d when move is set (the
// rectangle moves) and shrink by d otherwise (the rectangle is inset).
TRect OffsetOrInsetRect(TRect rect, std::int32_t d, bool move);
