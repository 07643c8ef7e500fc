// Window-definition records: a record is read only when writing it back gives
// the same bytes; each component then loads from its properties, decodes to no
// more than its block declares, and a component stored in the written order
// stores again as it was.

#include "fuzz_support.h"

#include "datastore/lzh_codec.h"
#include "datastore/window_record_format.h"

#include <stdexcept>
#include <variant>

namespace {

// Compressed, the extension when there is one, then TheData with a payload:
// the order StoreComponent writes.
bool InStoredOrder(const StoredComponent& stored)
{
    const auto& p = stored.properties;
    const std::size_t dataAt = p.size() - 1;
    if (p.size() < 2 || p.size() > 3 || !std::holds_alternative<CompressedProperty>(p[0]) ||
        !std::holds_alternative<TheDataProperty>(p[dataAt]))
        return false;
    if (p.size() == 3 &&
        (!std::holds_alternative<ExtensionProperty>(p[1]) || std::get<ExtensionProperty>(p[1]).value.empty()))
        return false;
    return std::get<TheDataProperty>(p[dataAt]).value.size() > 4;
}

void CheckComponent(const StoredComponent& stored)
{
    std::unique_ptr<TBinaryData> component;
    try {
        component = LoadStoredComponent(stored);
    } catch (const ElzhException&) {
        return; // a block switched to plain after it came was damaged
    }
    if (InStoredOrder(stored))
        FUZZ_CHECK(StoreComponent(*component) == stored);

    const std::int64_t kept = component->DataSize();
    try {
        const std::string& plain = component->UnpackedStream().Bytes();
        const std::int64_t declared = LzhDeclaredSize(component->DataStream().Bytes());
        if (component->Compressed())
            FUZZ_CHECK(static_cast<std::int64_t>(plain.size()) <= std::max<std::int64_t>(declared, 0));
        else
            FUZZ_CHECK(static_cast<std::int64_t>(plain.size()) == kept);
    } catch (const ElzhException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = AsText(data, size);
    WindowRecord record;
    try {
        record = ReadWindowRecord(bytes);
    } catch (const EWindowRecordError&) {
        return 0;
    }
    FUZZ_CHECK(WriteWindowRecord(record) == bytes);
    for (const StoredComponent& stored : record.components)
        CheckComponent(stored);
    return 0;
}
