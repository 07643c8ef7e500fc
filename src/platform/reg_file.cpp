#include "platform/reg_file.h"

#include <cstdint>

namespace {

constexpr char kUtf16Mark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

void AppendUtf16(std::string& out, std::uint32_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code point of the UTF-8 sequence at text[at]; at moves behind it. A byte
// that starts no valid sequence stands for U+FFFD.
std::uint32_t NextCodePoint(const std::string& text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    const bool surrogate = code >= 0xD800 && code < 0xE000;
    return surrogate || code > 0x10FFFF ? 0xFFFD : code;
}

std::optional<std::string> DecodeUtf16(const std::string& bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    const auto unitAt = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1])
                                                                                    << 8);
    };
    std::string text;
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        std::uint32_t code = unitAt(i);
        if (code >= 0xDC00 && code < 0xE000)
            return std::nullopt;
        if (code >= 0xD800 && code < 0xDC00) {
            if (i + 2 >= bytes.size() || unitAt(i + 2) < 0xDC00 || unitAt(i + 2) >= 0xE000)
                return std::nullopt;
            i += 2;
            code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(i) - 0xDC00);
        }
        AppendUtf8(text, code);
    }
    return text;
}

} // namespace

std::string EncodeRegFile(const std::string& utf8Text)
{
    std::string bytes = kUtf16Mark;
    for (std::size_t at = 0; at < utf8Text.size();) {
        const std::uint32_t code = NextCodePoint(utf8Text, at);
        if (code == '\n')
            AppendUtf16(bytes, '\r');
        if (code < 0x10000) {
            AppendUtf16(bytes, code);
        } else {
            AppendUtf16(bytes, 0xD800 + ((code - 0x10000) >> 10));
            AppendUtf16(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return bytes;
}

std::optional<std::string> DecodeRegFile(const std::string& bytes)
{
    if (bytes.starts_with(kUtf16Mark))
        return DecodeUtf16(bytes);
    if (bytes.starts_with(kUtf8Mark))
        return bytes.substr(3);
    return bytes;
}
