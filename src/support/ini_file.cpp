#include "support/ini_file.h"

#include "datastore/file_bytes.h"
#include "datastore/lzh_codec.h"
#include "datastore/memory_stream.h"
#include "platform/ansi_utf8.h"
#include "services/text_helpers.h"
#include "support/messages.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const std::string kSignature = "ZUK";

// "Die Datei %s ist schreibgeschützt. Nicht gespeichert."
const std::string kReadOnly = "Die Datei %s ist schreibgesch\xFCtzt. Nicht gespeichert.|";
// "... Änderungen werden nicht gespeichert."
const std::string kUnreadable = "Die Datei %s konnte nicht gelesen werden. \xC4nderungen werden nicht gespeichert.|";
const std::string kNotSaved = "Die Datei %s konnte nicht gespeichert werden.|";

fs::path PathOf(const std::string& fileName)
{
    return fs::path(AnsiToUtf8(fileName));
}

std::optional<std::string> ReadBytes(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad())
        return std::nullopt;
    return bytes;
}

// Lines end in CR, LF or CR LF; a final line break opens no further line.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

tinifile2::tinifile2(std::string fileName) : fileName_(std::move(fileName))
{
    if (!fileName_.empty())
        ReadFile();
    valid_ = true;
    modified_ = false;
}

tinifile2::~tinifile2()
{
    if (!modified_ || fileName_.empty())
        return;
    // A destructor must not throw; the user learns of the failure instead.
    try {
        UpdateFile();
    } catch (const std::exception&) {
        MyMessageDlg(kNotSaved + fileName_, mtError, mbOK);
    }
}

void tinifile2::ReadFile()
{
    const fs::path path = PathOf(fileName_);
    std::error_code error;
    if (!fs::exists(path, error))
        return;
    std::optional<std::string> bytes = ReadBytes(path);
    try {
        if (bytes && bytes->starts_with(kSignature)) {
            MemoryStream source(std::move(*bytes));
            source.Seek(static_cast<std::int64_t>(kSignature.size()));
            MemoryStream plain;
            LzhDecode(source, &plain, true);
            bytes = plain.Bytes();
            compressed_ = true;
        }
    } catch (const ElzhException&) {
        bytes.reset();
    }
    if (!bytes) {
        unreadable_ = true;
        MyMessageDlg(kUnreadable + fileName_, mtWarning, mbOK);
        return;
    }
    lines_ = SplitLines(*bytes);
}

int tinifile2::SearchSections(const std::string& target, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i) {
        if (lines_[i].starts_with('[') && UpperStr(lines_[i]) == target)
            return static_cast<int>(i);
    }
    return -1;
}

// Searches circularly, starting behind the section found last, so that reading
// the sections of a file in their order costs one pass.
int tinifile2::FindSection(const std::string& section)
{
    if (cachedSectionIndex_ >= 0 && section == cachedSection_)
        return cachedSectionIndex_;
    const std::string target = UpperStr("[" + section + "]");
    const std::size_t start = cachedSectionIndex_ >= 0 ? static_cast<std::size_t>(cachedSectionIndex_) + 1 : 0;
    int found = SearchSections(target, start, lines_.size());
    // The wrap includes the cached header itself: it may be asked for in another letter case.
    if (found < 0 && cachedSectionIndex_ >= 0)
        found = SearchSections(target, 0, start);
    if (found >= 0) {
        cachedSection_ = section;
        cachedSectionIndex_ = found;
    }
    return found;
}

// A section runs from the line after its header to the first empty line.
tinifile2::KeySearch tinifile2::FindKey(int header, const std::string& key) const
{
    const std::string target = UpperStr(key) + "=";
    std::size_t i = static_cast<std::size_t>(header) + 1;
    for (; i < lines_.size() && !lines_[i].empty(); ++i) {
        const std::size_t equals = lines_[i].find('=');
        if (equals != std::string::npos && UpperStr(lines_[i].substr(0, equals + 1)) == target)
            return {i, true};
    }
    return {i, false};
}

std::string tinifile2::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue)
{
    const int header = FindSection(section);
    if (header < 0)
        return defaultValue;
    const KeySearch entry = FindKey(header, key);
    if (!entry.found)
        return defaultValue;
    const std::string& line = lines_[entry.index];
    return line.substr(line.find('=') + 1);
}

void tinifile2::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string line = key + "=" + value;
    const int header = FindSection(section);
    if (header < 0) {
        if (!lines_.empty() && !lines_.back().empty())
            lines_.emplace_back();
        lines_.push_back("[" + section + "]");
        cachedSection_ = section;
        cachedSectionIndex_ = static_cast<int>(lines_.size()) - 1;
        lines_.push_back(line);
    } else {
        const KeySearch entry = FindKey(header, key);
        if (entry.found)
            lines_[entry.index] = line;
        else
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(entry.index), line);
    }
    modified_ = true;
}

bool tinifile2::ReadBool(const std::string& section, const std::string& key, bool defaultValue)
{
    return ReadString(section, key, ZeroOne(defaultValue)) != "0";
}

void tinifile2::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, ZeroOne(value));
}

std::int64_t tinifile2::ReadInteger(const std::string& section, const std::string& key, std::int64_t defaultValue)
{
    return StrToInt64De(ReadString(section, key, NumToStr(defaultValue)));
}

void tinifile2::WriteInteger(const std::string& section, const std::string& key, std::int64_t value)
{
    WriteString(section, key, NumToStr(value));
}

void tinifile2::AddStrings(const std::vector<std::string>& lines)
{
    lines_.insert(lines_.end(), lines.begin(), lines.end());
}

// The codec has no compressed form for texts under 5 bytes; those are kept plain.
std::string tinifile2::FileBytes() const
{
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    if (!compressed_ || text.size() < 5)
        return text;
    MemoryStream plain(std::move(text));
    MemoryStream packed;
    packed.Write(kSignature);
    LzhEncode(plain, &packed, true);
    return packed.Bytes();
}

void tinifile2::UpdateFile()
{
    if (fileName_.empty()) {
        modified_ = false;
        return;
    }
    if (unreadable_)
        return;
    const std::string path = AnsiToUtf8(fileName_);
    if (IsWriteProtected(path)) {
        MyMessageDlg(kReadOnly + fileName_, mtWarning, mbOK);
        return;
    }
    ReplaceFileBytes(path, FileBytes());
    modified_ = false;
}
