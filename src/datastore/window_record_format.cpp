#include "datastore/window_record_format.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr std::string_view kMagic = "TWDR";
constexpr std::uint8_t kVersion = 1;

enum ValueType : std::uint8_t { kFalse = 1, kTrue = 2, kText = 3, kBinary = 4 };

constexpr std::string_view kCompressed = "Compressed";
constexpr std::string_view kExtension = "Extension";
constexpr std::string_view kTheData = "TheData";

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Appends the parts of a record.
class RecordWriter {
public:
    void Raw(std::string_view bytes) { bytes_ += bytes; }
    void Byte(std::uint8_t value) { bytes_ += static_cast<char>(value); }
    void Number(std::uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i)
            Byte(static_cast<std::uint8_t>(value >> (8 * i) & 0xFF));
    }
    void Name(std::string_view name, std::string_view what)
    {
        if (!IsRecordName(name))
            throw EWindowRecordError(std::string(what) + " \"" + std::string(name) + "\" is not a valid name");
        Byte(static_cast<std::uint8_t>(name.size()));
        Raw(name);
    }
    void Property(std::string_view component, const StoredProperty& property)
    {
        std::visit(Overloaded{
                       [&](const CompressedProperty& p) { Flag(kCompressed, p.value); },
                       [&](const ExtensionProperty& p) { Value(component, kExtension, kText, 1, p.value); },
                       [&](const TheDataProperty& p) { Value(component, kTheData, kBinary, 4, p.value); },
                   },
                   property);
    }
    std::string Take() { return std::move(bytes_); }

private:
    void Flag(std::string_view name, bool value)
    {
        Name(name, "property");
        Byte(value ? kTrue : kFalse);
    }
    // A text or binary value behind its length of lengthSize bytes.
    void Value(std::string_view component, std::string_view name, ValueType type, int lengthSize,
               std::string_view value)
    {
        const std::uint64_t longest =
            lengthSize == 1 ? std::numeric_limits<std::uint8_t>::max() : std::numeric_limits<std::int32_t>::max();
        if (value.size() > longest)
            throw EWindowRecordError("property " + std::string(name) + " of \"" + std::string(component) +
                                     "\" is longer than " + std::to_string(longest) + " bytes");
        Name(name, "property");
        Byte(type);
        Number(static_cast<std::uint32_t>(value.size()), lengthSize);
        Raw(value);
    }

    std::string bytes_;
};

// Takes a record apart, refusing to read past its end.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return offset_ == bytes_.size(); }
    std::size_t Offset() const { return offset_; }

    std::string_view Raw(std::size_t count, std::string_view what)
    {
        if (count > bytes_.size() - offset_)
            Fail("is truncated: " + std::string(what) + " at offset " + std::to_string(offset_) + " needs " +
                 std::to_string(count) + " bytes, " + std::to_string(bytes_.size() - offset_) + " are left");
        const std::string_view part = bytes_.substr(offset_, count);
        offset_ += count;
        return part;
    }
    std::uint32_t Number(int size, std::string_view what)
    {
        const std::string_view bytes = Raw(static_cast<std::size_t>(size), what);
        std::uint32_t value = 0;
        for (int i = size; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
        return value;
    }
    std::string Name(std::string_view what)
    {
        const std::size_t at = offset_;
        const std::uint32_t length = Number(1, what);
        std::string name(Raw(length, what));
        if (!IsRecordName(name))
            Fail("has an invalid " + std::string(what) + " at offset " + std::to_string(at));
        return name;
    }

    [[noreturn]] static void Fail(const std::string& problem)
    {
        throw EWindowRecordError("damaged window record: it " + problem);
    }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

StoredProperty ReadProperty(RecordReader& reader, const std::string& component)
{
    const std::string name = reader.Name("property name");
    const std::size_t typeOffset = reader.Offset();
    const std::uint32_t type = reader.Number(1, "value type");
    const auto refuse = [&] {
        RecordReader::Fail("gives property " + name + " of \"" + component + "\" the value type " +
                           std::to_string(type) + " at offset " + std::to_string(typeOffset));
    };
    if (name == kCompressed) {
        if (type != kFalse && type != kTrue)
            refuse();
        return CompressedProperty{type == kTrue};
    }
    if (name == kExtension) {
        if (type != kText)
            refuse();
        return ExtensionProperty{std::string(reader.Raw(reader.Number(1, "text length"), "text"))};
    }
    if (name == kTheData) {
        if (type != kBinary)
            refuse();
        const std::uint32_t length = reader.Number(4, "binary length");
        const std::string_view value = reader.Raw(length, "binary value");
        if (length < 4)
            RecordReader::Fail("stores TheData of \"" + component + "\" without its count");
        const auto count = static_cast<std::int32_t>(RecordReader(value).Number(4, "count"));
        if (count < 0 || static_cast<std::uint32_t>(count) != length - 4)
            RecordReader::Fail("stores TheData of \"" + component + "\" with " + std::to_string(length) +
                               " bytes but the count " + std::to_string(count));
        return TheDataProperty{std::string(value)};
    }
    RecordReader::Fail("has the unknown property " + name + " in \"" + component + "\"");
}

StoredComponent ReadComponent(RecordReader& reader)
{
    StoredComponent component;
    component.name = reader.Name("component name");
    const std::uint32_t count = reader.Number(1, "property count");
    for (std::uint32_t i = 0; i < count; ++i)
        component.properties.push_back(ReadProperty(reader, component.name));
    return component;
}

} // namespace

bool IsRecordName(std::string_view name)
{
    return !name.empty() && name.size() <= std::numeric_limits<std::uint8_t>::max() && IsLetter(name.front()) &&
           std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c) || IsDigit(c); });
}

StoredComponent StoreComponent(const TBinaryData& component)
{
    StoredComponent stored{component.Name(), {CompressedProperty{component.Compressed()}}};
    if (!component.Extension().empty())
        stored.properties.emplace_back(ExtensionProperty{component.Extension()});
    stored.properties.emplace_back(TheDataProperty{component.WriteTheData()});
    return stored;
}

void ApplyStoredComponent(const StoredComponent& stored, TBinaryData& component)
{
    for (const StoredProperty& property : stored.properties)
        std::visit(Overloaded{
                       [&](const CompressedProperty& p) { component.SetCompressed(p.value); },
                       [&](const ExtensionProperty& p) { component.SetExtension(p.value); },
                       [&](const TheDataProperty& p) { component.ReadTheData(p.value); },
                   },
                   property);
}

std::unique_ptr<TBinaryData> LoadStoredComponent(const StoredComponent& stored)
{
    auto component = std::make_unique<TBinaryData>(stored.name);
    ApplyStoredComponent(stored, *component);
    return component;
}

const StoredComponent* FindStoredComponent(const WindowRecord& record, std::string_view name)
{
    const auto found = std::find_if(record.components.begin(), record.components.end(),
                                    [&](const StoredComponent& c) { return c.name == name; });
    return found == record.components.end() ? nullptr : &*found;
}

std::string WriteWindowRecord(const WindowRecord& record)
{
    if (record.components.size() > std::numeric_limits<std::uint16_t>::max())
        throw EWindowRecordError("window " + record.window + " has more than 65535 components");
    RecordWriter writer;
    writer.Raw(kMagic);
    writer.Byte(kVersion);
    writer.Name(record.window, "window");
    writer.Number(static_cast<std::uint32_t>(record.components.size()), 2);
    for (const StoredComponent& component : record.components) {
        if (FindStoredComponent(record, component.name) != &component)
            throw EWindowRecordError("window " + record.window + " holds the component \"" + component.name +
                                     "\" twice");
        if (component.properties.size() > std::numeric_limits<std::uint8_t>::max())
            throw EWindowRecordError("component \"" + component.name + "\" has more than 255 properties");
        writer.Name(component.name, "component");
        writer.Byte(static_cast<std::uint8_t>(component.properties.size()));
        for (const StoredProperty& property : component.properties)
            writer.Property(component.name, property);
    }
    return writer.Take();
}

WindowRecord ReadWindowRecord(std::string_view bytes)
{
    RecordReader reader(bytes);
    if (bytes.substr(0, kMagic.size()) != kMagic)
        throw EWindowRecordError("not a window record: it does not start with \"TWDR\"");
    reader.Raw(kMagic.size(), "magic");
    const std::uint32_t version = reader.Number(1, "version");
    if (version != kVersion)
        throw EWindowRecordError("window record of version " + std::to_string(version) +
                                 " is not supported (only version 1)");
    WindowRecord record;
    record.window = reader.Name("window name");
    const std::uint32_t count = reader.Number(2, "component count");
    for (std::uint32_t i = 0; i < count; ++i) {
        StoredComponent component = ReadComponent(reader);
        if (FindStoredComponent(record, component.name))
            RecordReader::Fail("holds the component \"" + component.name + "\" twice");
        record.components.push_back(std::move(component));
    }
    if (!reader.AtEnd())
        RecordReader::Fail("has " + std::to_string(bytes.size() - reader.Offset()) + " bytes after its last component");
    return record;
}
