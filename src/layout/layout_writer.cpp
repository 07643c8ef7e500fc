#include "layout/layout_writer.h"

#include "datastore/file_bytes.h"
#include "platform/ansi_utf8.h"
#include "services/text_helpers.h"
#include "support/messages.h"

#include <filesystem>
#include <set>

namespace {

bool IsPlaced(const TKeyRecord& key)
{
    return key.p0x != -1;
}

// The "All" default for "Enabled": a key that is not placed always reads as its
// opposite, so it is false only when every key that is not placed is enabled.
bool EnabledDefault(const KeyTable& table)
{
    bool anyUnplaced = false;
    for (int i = 0; i < table.Count(); ++i) {
        const TKeyRecord& key = table.Key(i);
        if (!IsPlaced(key)) {
            if (!key.Enabled) {
                return true;
            }
            anyUnplaced = true;
        }
    }
    return !anyUnplaced;
}

void AddEntry(std::vector<std::string>& lines, const char* key, std::int64_t value)
{
    lines.push_back(std::string(key) + "=" + NumToStr(value));
}

// The entries of one key that differ from what the reader would assume.
std::vector<std::string> KeyEntries(const TKeyRecord& key, const LayoutBoxes& boxes, bool enabledDefault)
{
    std::vector<std::string> entries;
    if (IsPlaced(key) && key.Enabled != enabledDefault) {
        AddEntry(entries, "Enabled", key.Enabled ? 1 : 0);
    }
    if (key.Typ != kKeyRectangle) {
        AddEntry(entries, "Typ", key.Typ);
    }
    if (!IsPlaced(key)) {
        return entries;
    }
    AddEntry(entries, "p0x", key.p0x);
    AddEntry(entries, "p0y", key.p0y);
    if (key.p1x != boxes.Breite) {
        AddEntry(entries, "p1x", key.p1x);
    }
    if (key.p1y != boxes.Hoehe) {
        AddEntry(entries, "p1y", key.p1y);
    }
    return entries;
}

void AddSection(std::vector<std::string>& lines, const std::string& name, const std::vector<std::string>& entries)
{
    if (!lines.empty()) {
        lines.emplace_back();
    }
    lines.push_back("[" + name + "]");
    lines.insert(lines.end(), entries.begin(), entries.end());
}

} // namespace

std::vector<std::string> LayoutLines(const KeyTable& table, const LayoutBoxes& boxes)
{
    const bool enabledDefault = EnabledDefault(table);
    std::vector<std::string> all;
    AddEntry(all, "Breite", boxes.Breite);
    AddEntry(all, "Hoehe", boxes.Hoehe);
    AddEntry(all, "Vorgabe", boxes.Vorgabe ? 1 : 0);
    if (!enabledDefault) {
        AddEntry(all, "Enabled", 0);
    }
    std::vector<std::string> lines;
    AddSection(lines, "All", all);

    // Keys whose names differ only in letter case share a section; the reader
    // finds the first one for all of them.
    std::set<std::string> written;
    for (int i = 0; i < table.Count(); ++i) {
        const std::string section = LowerStrDe(table.Name(i));
        const std::vector<std::string> entries = KeyEntries(table.Key(i), boxes, enabledDefault);
        if (!entries.empty() && written.insert(UpperStr(section)).second) {
            AddSection(lines, section, entries);
        }
    }
    return lines;
}

std::string SaveLayoutTarget(const std::string& layoutFileName, const std::string& progDir)
{
    return layoutFileName.empty() ? progDir + "layout.ini" : layoutFileName;
}

bool SaveLayout(const KeyTable& table, const LayoutBoxes& boxes, const std::string& fileName)
{
    const std::string path = AnsiToUtf8(fileName);
    if (IsWriteProtected(path)) {
        // "Die Datei %s ist schreibgeschützt. Nicht gespeichert."
        MyMessageDlg("Die Datei %s ist schreibgesch\xFCtzt. Nicht gespeichert.|" + fileName, mtWarning, mbOK);
        return false;
    }
    std::string text;
    for (const std::string& line : LayoutLines(table, boxes)) {
        text += line + "\r\n";
    }
    try {
        ReplaceFileBytes(path, text);
    } catch (const std::filesystem::filesystem_error&) {
        MyMessageDlg("Die Datei %s konnte nicht geschrieben werden.|" + fileName, mtError, mbOK);
        return false;
    }
    return true;
}
