#pragma once

#include "layout/key_table.h"

#include <string>
#include <vector>

struct TestKey {
    std::string name;
    std::int32_t code;
    std::int32_t x, y, width, height;
    bool enabled = true;
};

// A key table of the given keys, in order.
inline KeyTable MakeTable(const std::vector<TestKey>& keys)
{
    KeyTable table;
    std::vector<std::string> names;
    std::vector<std::int32_t> codes;
    for (const TestKey& key : keys) {
        names.push_back(key.name);
        codes.push_back(key.code);
    }
    table.SetKeys(names, codes);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        TKeyRecord& record = table.Key(static_cast<int>(i));
        record.Enabled = keys[i].enabled;
        record.p0x = keys[i].x;
        record.p0y = keys[i].y;
        record.p1x = keys[i].width;
        record.p1y = keys[i].height;
    }
    return table;
}
