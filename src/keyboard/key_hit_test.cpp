#include "keyboard/key_hit_test.h"

#include "services/text_helpers.h"

int KeyAt(const KeyTable& table, int x, int y)
{
    for (int i = 0; i < table.Count(); ++i) {
        const TKeyRecord& key = table.Key(i);
        if (key.Enabled && key.p0x <= x && x <= key.p0x + key.p1x && key.p0y <= y && y <= key.p0y + key.p1y)
            return i;
    }
    return -1;
}

PictureRect HighlightRect(const KeyTable& table, int index)
{
    const TKeyRecord& key = table.Key(index);
    return {key.p0x, key.p0y, key.p0x + key.p1x + 1, key.p0y + key.p1y + 1};
}

int KeyNamed(const KeyTable& table, const std::string& upperName)
{
    for (int i = 0; i < table.Count(); ++i)
        if (UpperStr(table.Name(i)) == upperName)
            return i;
    return -1;
}
