#include "sample_inputs.h"

#include <array>
#include <cstdint>
#include <random>

namespace {

// std::mt19937 is the same everywhere; the standard's distributions are not,
// so numbers are drawn from it directly.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(engine_() % bound); }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }

private:
    std::mt19937 engine_;
};

void AppendLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

// ---- Keyboard bitmap ---------------------------------------------------------

constexpr int kWidth = 889;
constexpr int kHeight = 238;
constexpr int kStride = (kWidth + 3) & ~3;
constexpr std::uint8_t kBackground = 7;
constexpr std::uint8_t kKeyFace = 15;
constexpr std::uint8_t kKeyBorder = 0;
constexpr std::uint8_t kKeyShadow = 8;

std::string BitmapHeaders()
{
    constexpr std::uint32_t kPaletteBytes = 256 * 4;
    constexpr std::uint32_t kPixelOffset = 14 + 40 + kPaletteBytes;
    std::string out = "BM";
    AppendLe(out, kPixelOffset + kStride * kHeight, 4);
    AppendLe(out, 0, 4);
    AppendLe(out, kPixelOffset, 4);
    for (const std::uint32_t field : {40u, std::uint32_t{kWidth}, std::uint32_t{kHeight}})
        AppendLe(out, field, 4);
    AppendLe(out, 1, 2); // planes
    AppendLe(out, 8, 2); // bits per pixel
    for (const std::uint32_t field : {0u, std::uint32_t{kStride * kHeight}, 3780u, 3780u, 256u, 0u})
        AppendLe(out, field, 4);
    // The 16 classic colours, then a grey ramp.
    constexpr std::array<std::uint32_t, 16> kClassic = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                        0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                        0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t rgb =
            i < 16 ? kClassic[static_cast<std::size_t>(i)] : 0x010101u * static_cast<std::uint32_t>(i);
        AppendLe(out, rgb, 4);
    }
    return out;
}

using Canvas = std::array<std::array<std::uint8_t, kStride>, kHeight>;

void FillRect(Canvas& canvas, int left, int top, int right, int bottom, std::uint8_t colour)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            canvas[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = colour;
}

// A 5 x 7 glyph of random dots, each dot `scale` pixels wide.
void DrawGlyph(Canvas& canvas, int left, int top, int scale, Draw& draw)
{
    const std::uint64_t dots = (std::uint64_t{draw.Below(1u << 30)} << 5) | draw.Below(32);
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 5; ++column)
            if (dots >> (row * 5 + column) & 1)
                FillRect(canvas, left + scale * column, top + scale * row, left + scale * (column + 1),
                         top + scale * (row + 1), kKeyBorder);
}

// A key: dark border, shadow on the right and bottom, a face shaded from top to
// bottom, a large glyph and a small one.
void DrawKey(Canvas& canvas, int left, int top, int width, int height, Draw& draw)
{
    FillRect(canvas, left, top, left + width, top + height, kKeyBorder);
    FillRect(canvas, left + 1, top + 1, left + width - 1, top + height - 1, kKeyShadow);
    for (int y = top + 1; y < top + height - 3; ++y)
        FillRect(canvas, left + 1, y, left + width - 3, y + 1, static_cast<std::uint8_t>(kKeyFace + 200 + (y - top)));
    DrawGlyph(canvas, left + 5, top + 5, 2, draw);
    DrawGlyph(canvas, left + width - 12, top + height - 13, 1, draw);
}

} // namespace

std::string GeneratedKeyboardBitmap()
{
    Canvas canvas;
    for (auto& row : canvas)
        row.fill(kBackground);
    Draw draw(1);
    constexpr int kRows = 6;
    constexpr int kKeyHeight = 35;
    constexpr int kGap = 3;
    constexpr int kMargin = 6;
    for (int row = 0; row < kRows; ++row) {
        const int top = kMargin + row * (kKeyHeight + kGap);
        int left = kMargin + row * 9;
        for (;;) {
            const int width = draw.OneIn(6) ? 56 + static_cast<int>(draw.Below(40)) : 38;
            if (left + width > kWidth - kMargin)
                break;
            DrawKey(canvas, left, top, width, kKeyHeight, draw);
            left += width + kGap;
        }
    }
    std::string out = BitmapHeaders();
    for (int y = kHeight - 1; y >= 0; --y) // bottom-up rows
        out.append(reinterpret_cast<const char*>(canvas[static_cast<std::size_t>(y)].data()), kStride);
    return out;
}

// ---- Executable-like bytes ------------------------------------------------------

namespace {

constexpr std::size_t kExecutableSize = 370 * 1024;

// Instruction templates: fixed opcode bytes, then operand bytes filled in.
enum class Operand { None, Reg, Disp8, Imm32, Rel32, Rel8 };
struct Instruction {
    std::string opcode;
    Operand operand;
    std::uint32_t weight;
};

const std::array<Instruction, 16> kInstructions = {{
    {"\x48\x89", Operand::Reg, 14},      // mov r/m64, r64
    {"\x48\x8B", Operand::Reg, 14},      // mov r64, r/m64
    {"\x8B\x45", Operand::Disp8, 10},    // mov eax, [rbp+d8]
    {"\x89\x45", Operand::Disp8, 8},     // mov [rbp+d8], eax
    {"\x48\x8D\x45", Operand::Disp8, 6}, // lea rax, [rbp+d8]
    {"\xE8", Operand::Rel32, 10},        // call rel32
    {"\x85\xC0", Operand::None, 5},      // test eax, eax
    {"\x74", Operand::Rel8, 5},          // je rel8
    {"\x75", Operand::Rel8, 4},          // jne rel8
    {"\x48\x83\xC4", Operand::Disp8, 3}, // add rsp, imm8
    {"\xB8", Operand::Imm32, 4},         // mov eax, imm32
    {"\x31\xC0", Operand::None, 3},      // xor eax, eax
    {"\x48\x83\xEC", Operand::Disp8, 3}, // sub rsp, imm8
    {"\x0F\x84", Operand::Rel32, 3},     // je rel32
    {"\x41\x54", Operand::None, 2},      // push r12
    {"\x4C\x89", Operand::Reg, 4},       // mov r/m64, r64 (r8-r15)
}};

const Instruction& PickInstruction(Draw& draw)
{
    std::uint32_t total = 0;
    for (const Instruction& instruction : kInstructions)
        total += instruction.weight;
    std::uint32_t pick = draw.Below(total);
    for (const Instruction& instruction : kInstructions) {
        if (pick < instruction.weight)
            return instruction;
        pick -= instruction.weight;
    }
    return kInstructions.front();
}

void AppendOperand(std::string& out, Operand operand, Draw& draw)
{
    switch (operand) {
    case Operand::None: break;
    case Operand::Reg: out.push_back(static_cast<char>(0xC0 + draw.Below(64))); break;
    case Operand::Disp8: out.push_back(static_cast<char>(0x100 - 8 * (1 + draw.Below(16)))); break;
    case Operand::Imm32: AppendLe(out, draw.OneIn(2) ? draw.Below(16) : draw.Below(1u << 20), 4); break;
    // Calls go to a few hundred functions: their offsets from here drift slowly.
    case Operand::Rel32:
        AppendLe(
            out,
            static_cast<std::uint32_t>(-static_cast<int>(out.size() % 65536) + 256 * static_cast<int>(draw.Below(300))),
            4);
        break;
    case Operand::Rel8: out.push_back(static_cast<char>(2 + draw.Below(60))); break;
    }
}

void AppendFunction(std::string& out, Draw& draw)
{
    out += "\x55\x48\x89\xE5"; // push rbp; mov rbp, rsp
    const std::uint32_t length = 8 + draw.Below(60);
    for (std::uint32_t i = 0; i < length; ++i) {
        const Instruction& instruction = PickInstruction(draw);
        out += instruction.opcode;
        AppendOperand(out, instruction.operand, draw);
    }
    out += "\xC9\xC3"; // leave; ret
    while (out.size() % 16 != 0)
        out.push_back('\x90');
}

void AppendStrings(std::string& out, std::size_t end, Draw& draw)
{
    static const std::array<const char*, 12> kWords = {"Tastatur", "Fenster", "Datei",  "Einstellungen",
                                                       "Sprache",  "error",   "window", "create",
                                                       "get",      "set",     "Text",   "Size"};
    while (out.size() < end) {
        const std::uint32_t words = 1 + draw.Below(4);
        for (std::uint32_t i = 0; i < words; ++i)
            out += kWords[draw.Below(kWords.size())];
        out.push_back('\0');
    }
}

void AppendTable(std::string& out, std::size_t end, Draw& draw)
{
    while (out.size() < end) {
        AppendLe(out, 0x401000u + 16u * draw.Below(8000), 4);
        AppendLe(out, draw.Below(256), 4);
    }
}

} // namespace

std::string GeneratedExecutable()
{
    Draw draw(2);
    std::string out;
    out.reserve(kExecutableSize + 64);
    while (out.size() < kExecutableSize * 3 / 4)
        AppendFunction(out, draw);
    AppendStrings(out, kExecutableSize * 7 / 8, draw);
    AppendTable(out, kExecutableSize, draw);
    out.resize(kExecutableSize);
    return out;
}
