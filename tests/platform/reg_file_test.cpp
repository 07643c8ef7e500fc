#include "platform/reg_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Encoding {
    std::string text;  // UTF-8
    std::string bytes; // UTF-16LE with its byte-order mark
};

const std::vector<Encoding> kEncodings = {
    {"", std::string("\xFF\xFE", 2)},
    {"A\n", std::string("\xFF\xFE"
                        "A\0\r\0\n\0",
                        8)},
    {"J\xC3\xBCrgen", std::string("\xFF\xFE"
                                  "J\0\xFC\0r\0g\0e\0n\0",
                                  14)},
    {"\xE2\x82\xAC", std::string("\xFF\xFE\xAC\x20", 4)},             // euro sign
    {"\xF0\x9F\x98\x80", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)}, // beyond the first plane: a surrogate pair
};

} // namespace

TEST(RegFile, WritesUtf16WithItsMarkAndCrLf)
{
    for (const Encoding& encoding : kEncodings)
        EXPECT_EQ(EncodeRegFile(encoding.text), encoding.bytes) << encoding.text;
    EXPECT_EQ(EncodeRegFile("a\xFF"
                            "b"),
              std::string("\xFF\xFE"
                          "a\0\xFD\xFF"
                          "b\0",
                          8)); // no UTF-8: U+FFFD
}

TEST(RegFile, ReadsUtf16AndUtf8WithOrWithoutAMark)
{
    for (const Encoding& encoding : kEncodings) {
        std::string text = encoding.text;
        if (const auto lf = text.find('\n'); lf != std::string::npos)
            text.insert(lf, "\r");
        EXPECT_EQ(DecodeRegFile(encoding.bytes), text);
        EXPECT_EQ(DecodeRegFile("\xEF\xBB\xBF" + text), text);
        EXPECT_EQ(DecodeRegFile(text), text);
    }
    EXPECT_FALSE(DecodeRegFile(std::string("\xFF\xFE"
                                           "A",
                                           3))); // half a character
    EXPECT_FALSE(DecodeRegFile(std::string("\xFF\xFE\x3D\xD8"
                                           "A\0",
                                           6)));                     // high surrogate alone
    EXPECT_FALSE(DecodeRegFile(std::string("\xFF\xFE\x00\xDE", 4))); // low surrogate alone
}
