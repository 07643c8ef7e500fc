#pragma once

// Window-definition record: a window's name and its stored data components,
// each as the list of properties a window definition gives it.
//
// All numbers are little-endian. A name is a 1-byte length (1 to 255) followed
// by that many bytes forming an identifier: a letter or "_", then letters,
// digits or "_".
//
//   record     magic "TWDR" (4 bytes)
//              format version, 1 (1 byte)
//              window name (name)
//              component count (unsigned 16-bit)
//              the components, one after the other
//              -- nothing follows the last component
//
//   component  component name (name)
//              property count (1 byte)
//              the properties in the order they are applied
//
//   property   property name (name)
//              value type (1 byte): 1 false, 2 true, 3 text, 4 binary
//              value: nothing for false and true;
//                     text:   1-byte length, then the bytes;
//                     binary: unsigned 32-bit length, then the bytes
//
// A data component carries up to three properties, written in this order:
//   Compressed  false or true
//   Extension   text, written only when not empty ("txt", "bmp")
//   TheData     binary: count as signed 32-bit, then count bytes of the data
//               stream as kept, so its length is count + 4 (4 for no payload)
// Readers apply them in stored order, so Compressed is set while the data
// stream is still empty and only records the flag; TheData then brings the
// stored block unchanged.
//
// Reading refuses any record that is truncated, has the wrong magic or
// version, lengths that disagree, an unknown property or value type, or bytes
// after its last component.

#include "datastore/binary_data.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class EWindowRecordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CompressedProperty {
    bool value = false;
    bool operator==(const CompressedProperty&) const = default;
};
struct ExtensionProperty {
    std::string value;
    bool operator==(const ExtensionProperty&) const = default;
};
// The stored TheData value: the count, then the bytes.
struct TheDataProperty {
    std::string value;
    bool operator==(const TheDataProperty&) const = default;
};
using StoredProperty = std::variant<CompressedProperty, ExtensionProperty, TheDataProperty>;

struct StoredComponent {
    std::string name;
    std::vector<StoredProperty> properties;
    bool operator==(const StoredComponent&) const = default;
};

struct WindowRecord {
    std::string window;
    std::vector<StoredComponent> components;
    bool operator==(const WindowRecord&) const = default;
};

// The component's stored properties as a window definition keeps them.
StoredComponent StoreComponent(const TBinaryData& component);
// Applies the stored properties, in their order, to the component.
void ApplyStoredComponent(const StoredComponent& stored, TBinaryData& component);
// A new component named and filled after the stored one.
std::unique_ptr<TBinaryData> LoadStoredComponent(const StoredComponent& stored);

// The component of that name, or nullptr.
const StoredComponent* FindStoredComponent(const WindowRecord& record, std::string_view name);

// Both throw EWindowRecordError: writing for names or values the format cannot carry,
// reading for any damaged record.
std::string WriteWindowRecord(const WindowRecord& record);
WindowRecord ReadWindowRecord(std::string_view bytes);

// Whether the text can be a window, component or property name.
bool IsRecordName(std::string_view name);
