#pragma once

#include "datastore/binary_data.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Window-definition records linked into the program: each window's stored data
// components, read back by window and component name. The records and this
// lookup live in the library tapsody_records, which each program links directly.

// A new component filled from the record of the window, or nullptr when the
// program carries no such window or component.
std::unique_ptr<TBinaryData> LoadEmbeddedComponent(std::string_view window, std::string_view component);

// The names of the windows whose records are linked in, sorted.
std::vector<std::string> EmbeddedWindows();

// The linked record of the window as stored (see window_record_format.h), or
// empty when there is none.
std::string_view EmbeddedRecord(std::string_view window);

// Called by the generated source of each linked record while the program starts.
// The bytes must outlive the program. Returns true so it can initialise a constant.
bool RegisterEmbeddedRecord(std::string_view window, std::string_view record);
