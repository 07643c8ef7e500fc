// The settings file: any file is either refused as unreadable (and then never
// written over) or read into lines; values written can be read back at once,
// and the file written and opened again holds the same lines in the same form,
// plain or compressed.
//
// Input: the file's bytes, then NUL-separated writes "section]key=value".

#include "fuzz_support.h"

#include "support/ini_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <stdlib.h>

namespace {

std::string settingsPath;

std::string FileContents()
{
    std::ifstream in(settingsPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SetFileContents(std::string_view bytes)
{
    std::ofstream(settingsPath, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A write's parts without line breaks, and a key without "=": what a settings
// file can hold on one line.
struct Write {
    std::string section, key, value;
};

std::string OneLine(std::string text, std::string_view drop)
{
    std::erase_if(text, [&](char c) { return drop.find(c) != std::string_view::npos; });
    return text;
}

Write ParseWrite(const std::string& part)
{
    const std::size_t bracket = std::min(part.find(']'), part.size());
    const std::string rest = part.substr(std::min(bracket + 1, part.size()));
    const std::size_t equals = std::min(rest.find('='), rest.size());
    return {OneLine(part.substr(0, bracket), "\r\n]"), OneLine(rest.substr(0, equals), "\r\n="),
            OneLine(rest.substr(std::min(equals + 1, rest.size())), "\r\n")};
}

std::size_t TextSize(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    return size;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceMessages();
    std::string folder = (std::filesystem::temp_directory_path() / "tapsody-ini-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        std::abort();
    settingsPath = folder + "/settings.ini";
    std::atexit([] { std::filesystem::remove_all(std::filesystem::path(settingsPath).parent_path()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = SplitAtNul(AsText(data, size));
    SetFileContents(parts[0]);

    std::vector<std::string> lines;
    bool compressed = false;
    {
        tinifile2 ini(settingsPath);
        if (ini.Unreadable()) {
            ini.WriteString("Setup", "Peep", "1");
            ini.UpdateFile();
            FUZZ_CHECK(FileContents() == parts[0]);
            return 0;
        }
        for (std::size_t i = 1; i < parts.size(); ++i) {
            const Write write = ParseWrite(parts[i]);
            ini.WriteString(write.section, write.key, write.value);
            FUZZ_CHECK(ini.ReadString(write.section, write.key, "\x01") == write.value);
        }
        ini.UpdateFile();
        lines = ini.Lines();
        compressed = ini.Compressed();
    }
    tinifile2 reopened(settingsPath);
    FUZZ_CHECK(!reopened.Unreadable());
    FUZZ_CHECK(reopened.Lines() == lines);
    // Texts under 5 bytes have no compressed form and are kept plain.
    FUZZ_CHECK(reopened.Compressed() == (compressed && TextSize(lines) >= 5));
    return 0;
}
