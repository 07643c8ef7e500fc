#pragma once

#include "datastore/binary_data.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Window-definition records linked into the program: each window's stored data
// components, read back by window and component name.

// A new component filled from the record of the window, or nullptr when the
// program carries no such window or component.
std::unique_ptr<TBinaryData> LoadEmbeddedComponent(std::string_view window, std::string_view component);

// The names of the windows whose records are linked in.
std::vector<std::string> EmbeddedWindows();
