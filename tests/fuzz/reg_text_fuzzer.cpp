// The registry store's text: whatever is read formats to a text that reads back
// as the same document, and formatting that again changes nothing.

#include "fuzz_support.h"

#include "platform/reg_text.h"

namespace {

bool SameValue(const RegValue& a, const RegValue& b)
{
    return a.name == b.name && a.type == b.type && a.text == b.text && a.dword == b.dword;
}

bool SameDocument(const RegDocument& a, const RegDocument& b)
{
    if (a.keys.size() != b.keys.size())
        return false;
    for (std::size_t k = 0; k < a.keys.size(); ++k) {
        const RegKey& x = a.keys[k];
        const RegKey& y = b.keys[k];
        if (x.path != y.path || x.values.size() != y.values.size())
            return false;
        for (std::size_t v = 0; v < x.values.size(); ++v)
            if (!SameValue(x.values[v], y.values[v]))
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RegParseResult parsed = ParseRegText(std::string(AsText(data, size)));
    if (!parsed.document) {
        FUZZ_CHECK(parsed.errorLine > 0 && !parsed.error.empty());
        return 0;
    }
    const std::string text = FormatRegText(*parsed.document);
    const RegParseResult again = ParseRegText(text);
    if (!again.document)
        std::fprintf(stderr, "line %d: %s\n", again.errorLine, again.error.c_str());
    FUZZ_CHECK(again.document);
    FUZZ_CHECK(SameDocument(*again.document, *parsed.document));
    FUZZ_CHECK(FormatRegText(*again.document) == text);
    return 0;
}
