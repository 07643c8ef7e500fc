#pragma once

// What every fuzz target shares: silence for the program's message boxes and a
// check that turns a broken invariant into a finding.

#include "datastore/binary_data.h"
#include "support/messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                    \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Answers every dialog with OK and shows nothing.
class SilentMessages final : public MessageService {
public:
    std::uint16_t MessageDlg(const std::string&, std::uint8_t, std::uint16_t, int) override { return mrOk; }
    void ShowMessage(const std::string&) override {}
    void PlainMessage(const std::string&) override {}
};

inline void SilenceMessages()
{
    static SilentMessages silent;
    SetMessageService(&silent);
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at its NUL bytes into at most `most` parts, the last of them
// taking the rest whole: a target that reads several texts takes one a part.
inline std::vector<std::string> SplitAtNul(std::string_view input, std::size_t most = SIZE_MAX)
{
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t end = parts.size() + 1 < most ? input.find('\0') : std::string_view::npos;
        parts.emplace_back(input.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        input.remove_prefix(end + 1);
    }
}

// The text's lines as a data component gives them, the way the program reads its lists.
inline std::vector<std::string> LinesOf(const std::string& text)
{
    const auto count = static_cast<std::uint32_t>(text.size());
    std::string theData;
    for (int shift = 0; shift < 32; shift += 8)
        theData += static_cast<char>(count >> shift & 0xFF);
    TBinaryData component("lines");
    component.ReadTheData(theData + text);
    return component.Lines();
}
