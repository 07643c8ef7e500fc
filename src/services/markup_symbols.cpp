// The character set of the classic Symbol font, as Unicode: Greek letters in
// place of the Latin ones, mathematical signs, arrows and bracket pieces in the
// upper half.
#include "services/markup.h"

namespace {

// Codes 0x20 to 0x7E.
constexpr char32_t LowerHalf[0x7F - 0x20] = {
    U' ',      U'!',      U'\u2200', U'#',      U'\u2203', U'%',      U'&',      U'\u220B', // 20
    U'(',      U')',      U'\u2217', U'+',      U',',      U'\u2212', U'.',      U'/',      // 28
    U'0',      U'1',      U'2',      U'3',      U'4',      U'5',      U'6',      U'7',      // 30
    U'8',      U'9',      U':',      U';',      U'<',      U'=',      U'>',      U'?',      // 38
    U'\u2245', U'\u0391', U'\u0392', U'\u03A7', U'\u0394', U'\u0395', U'\u03A6', U'\u0393', // 40
    U'\u0397', U'\u0399', U'\u03D1', U'\u039A', U'\u039B', U'\u039C', U'\u039D', U'\u039F', // 48
    U'\u03A0', U'\u0398', U'\u03A1', U'\u03A3', U'\u03A4', U'\u03A5', U'\u03C2', U'\u03A9', // 50
    U'\u039E', U'\u03A8', U'\u0396', U'[',      U'\u2234', U']',      U'\u22A5', U'_',      // 58
    U'\u203E', U'\u03B1', U'\u03B2', U'\u03C7', U'\u03B4', U'\u03B5', U'\u03C6', U'\u03B3', // 60
    U'\u03B7', U'\u03B9', U'\u03D5', U'\u03BA', U'\u03BB', U'\u03BC', U'\u03BD', U'\u03BF', // 68
    U'\u03C0', U'\u03B8', U'\u03C1', U'\u03C3', U'\u03C4', U'\u03C5', U'\u03D6', U'\u03C9', // 70
    U'\u03BE', U'\u03C8', U'\u03B6', U'{',      U'|',      U'}',      U'\u223C',            // 78
};

// Codes 0xA0 to 0xFE; 0xF0 has no sign.
constexpr char32_t UpperHalf[0xFF - 0xA0] = {
    U'\u20AC', U'\u03D2', U'\u2032', U'\u2264', U'\u2044', U'\u221E', U'\u0192', U'\u2663', // A0
    U'\u2666', U'\u2665', U'\u2660', U'\u2194', U'\u2190', U'\u2191', U'\u2192', U'\u2193', // A8
    U'\u00B0', U'\u00B1', U'\u2033', U'\u2265', U'\u00D7', U'\u221D', U'\u2202', U'\u2022', // B0
    U'\u00F7', U'\u2260', U'\u2261', U'\u2248', U'\u2026', U'\u23D0', U'\u23AF', U'\u21B5', // B8
    U'\u2135', U'\u2111', U'\u211C', U'\u2118', U'\u2297', U'\u2295', U'\u2205', U'\u2229', // C0
    U'\u222A', U'\u2283', U'\u2287', U'\u2284', U'\u2282', U'\u2286', U'\u2208', U'\u2209', // C8
    U'\u2220', U'\u2207', U'\u00AE', U'\u00A9', U'\u2122', U'\u220F', U'\u221A', U'\u22C5', // D0
    U'\u00AC', U'\u2227', U'\u2228', U'\u21D4', U'\u21D0', U'\u21D1', U'\u21D2', U'\u21D3', // D8
    U'\u25CA', U'\u27E8', U'\u00AE', U'\u00A9', U'\u2122', U'\u2211', U'\u239B', U'\u239C', // E0
    U'\u239D', U'\u23A1', U'\u23A2', U'\u23A3', U'\u23A7', U'\u23A8', U'\u23A9', U'\u23AA', // E8
    U'\u00F0', U'\u27E9', U'\u222B', U'\u2320', U'\u23AE', U'\u2321', U'\u239E', U'\u239F', // F0
    U'\u23A0', U'\u23A4', U'\u23A5', U'\u23A6', U'\u23AB', U'\u23AC', U'\u23AD',            // F8
};

} // namespace

char32_t SymbolToUnicode(unsigned char code)
{
    if (code >= 0x20 && code < 0x7F)
        return LowerHalf[code - 0x20];
    if (code >= 0xA0 && code < 0xFF)
        return UpperHalf[code - 0xA0];
    return code;
}
