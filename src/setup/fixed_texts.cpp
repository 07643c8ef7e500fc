#include "setup/fixed_texts.h"

namespace {

// Each byte is XORed with a key that moves on after every byte.
template <typename From, typename To>
To Rekeyed(const From& from)
{
    To to;
    std::uint8_t key = 0x5A;
    for (const auto byte : from) {
        to.push_back(static_cast<typename To::value_type>(static_cast<std::uint8_t>(byte) ^ key));
        key = static_cast<std::uint8_t>(key * 7 + 13);
    }
    return to;
}

const std::vector<std::uint8_t> kMaker = {0x0D, 0xE6, 0xCE, 0x17, 0x0F, 0x9D, 0xD4, 0x8E, 0x16, 0x07,
                                          0xE2, 0x08, 0xE5, 0xB5, 0xA6, 0xBC, 0xFB, 0x31, 0x87};
const std::vector<std::uint8_t> kContact = {0x31, 0xEC, 0xCC, 0x0F, 0x0B, 0x98, 0xC6, 0xAB, 0x0E, 0x02, 0xB2, 0x28,
                                            0xE5, 0xB7, 0xAB, 0xE5, 0xFF, 0x3B, 0x83, 0x56, 0xDA, 0xDF, 0x97};
const std::vector<std::uint8_t> kAuthor = {0x1E, 0xE2, 0xD1, 0x5B, 0x3E, 0x92, 0xC2, 0x98,
                                           0x15, 0x07, 0xBB, 0x76, 0xDE, 0xB6, 0xB3, 0xA6};

} // namespace

std::string Unscramble(const std::vector<std::uint8_t>& bytes)
{
    return Rekeyed<std::vector<std::uint8_t>, std::string>(bytes);
}

std::vector<std::uint8_t> Scramble(const std::string& text)
{
    return Rekeyed<std::string, std::vector<std::uint8_t>>(text);
}

std::string MakerText()
{
    return Unscramble(kMaker);
}

std::string ContactText()
{
    return Unscramble(kContact);
}

std::string AuthorText()
{
    return Unscramble(kAuthor);
}
