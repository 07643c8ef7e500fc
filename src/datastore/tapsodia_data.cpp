// tapsodia-data: a command-line tool for the program's stored data. It packs
// and unpacks stored-data blocks, looks into window-definition records and
// shows the registry store as text.

#include "datastore/binary_data.h"
#include "datastore/file_bytes.h"
#include "datastore/lzh_codec.h"
#include "datastore/window_record_format.h"
#include "platform/ansi_utf8.h"
#include "platform/reg_file.h"
#include "platform/reg_text.h"

#include <cstdio>
#include <exception>
#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: tapsodia-data COMMAND ARGUMENTS\n"
    "\n"
    "Stored-data blocks (the byte 0xFE, the size, then the LZHUF bit stream):\n"
    "  encode IN OUT            compress the file IN into the block OUT\n"
    "  decode IN OUT            unpack the block IN into the file OUT\n"
    "\n"
    "Window-definition records (.rec files, such as data/TLayoutform.rec in the build folder):\n"
    "  list RECORD              show each component: name, extension, whether compressed,\n"
    "                           stored size, uncompressed size and ratio\n"
    "  extract RECORD NAME OUT  write the payload of component NAME, uncompressed, to OUT\n"
    "\n"
    "The registry store (a regedit file in UTF-16LE, $XDG_CONFIG_HOME/tapsody/registry.reg):\n"
    "  registry show            show the store as UTF-8 text\n"
    "  registry get KEY VALUE   show one value: KEY with its root, such as\n"
    "                           \"HKEY_CURRENT_USER\\Software\\Tapsody\", VALUE \"@\" for the default\n"
    "\n"
    "  --help                   show this help\n"
    "\n"
    "Exit status: 0 on success, 1 when a file is missing or damaged, 2 for wrong usage.\n";

// Record texts are Windows-1252 bytes; anything beyond printable ASCII is shown escaped.
std::string Printable(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        }
    }
    return shown;
}

int Encode(const std::string& in, const std::string& out)
{
    MemoryStream plain(ReadFileBytes(in));
    MemoryStream block;
    LzhEncode(plain, &block);
    WriteFileBytes(out, block.Bytes());
    if (plain.Size() > 0 && plain.Size() < 5)
        std::cerr << "tapsodia-data: warning: " << in << " has fewer than 5 bytes, which have no compressed form; "
                  << out << " is empty\n";
    return 0;
}

int Decode(const std::string& in, const std::string& out)
{
    MemoryStream block(ReadFileBytes(in));
    // The encoder writes nothing for short inputs, and a block is never shorter than 5 bytes.
    if (block.Size() > 0 && block.Size() < 5)
        throw std::invalid_argument(in + " is not a stored-data block: it is shorter than 5 bytes");
    MemoryStream plain;
    try {
        LzhDecode(block, &plain);
    } catch (const ElzhException& error) {
        throw std::invalid_argument(in + " is a damaged stored-data block: " + error.what());
    }
    WriteFileBytes(out, plain.Bytes());
    return 0;
}

WindowRecord ReadRecordFile(const std::string& recordFile)
{
    try {
        return ReadWindowRecord(ReadFileBytes(recordFile));
    } catch (const EWindowRecordError& error) {
        throw std::invalid_argument(recordFile + ": " + error.what());
    }
}

int List(const std::string& recordFile)
{
    const WindowRecord record = ReadRecordFile(recordFile);
    std::cout << record.window << ": " << record.components.size() << " component"
              << (record.components.size() == 1 ? "" : "s") << "\n";
    std::cout << std::left << std::setw(16) << "name" << std::setw(11) << "extension" << std::setw(12) << "compressed"
              << std::right << std::setw(10) << "stored" << std::setw(14) << "uncompressed" << std::setw(7) << "ratio"
              << "\n";
    for (const StoredComponent& stored : record.components) {
        const auto component = LoadStoredComponent(stored);
        const std::int64_t storedSize = component->DataSize();
        const std::int64_t plainSize = component->Compressed() ? component->UncompressedSize() : storedSize;
        std::cout << std::left << std::setw(16) << component->Name() << std::setw(11)
                  << Printable(component->Extension()) << std::setw(12) << (component->Compressed() ? "yes" : "no")
                  << std::right << std::setw(10) << storedSize << std::setw(14) << plainSize << std::setw(7)
                  << component->ratio() << "\n";
    }
    return 0;
}

int Extract(const std::string& recordFile, const std::string& name, const std::string& out)
{
    const WindowRecord record = ReadRecordFile(recordFile);
    const StoredComponent* stored = FindStoredComponent(record, name);
    if (!stored) {
        std::string known;
        for (const StoredComponent& component : record.components)
            known += (known.empty() ? "" : ", ") + component.name;
        throw std::invalid_argument(recordFile + " has no component \"" + Printable(name) + "\" (it has: " + known +
                                    ")");
    }
    try {
        LoadStoredComponent(*stored)->SaveToFile(out);
    } catch (const ElzhException& error) {
        throw std::invalid_argument("component \"" + name + "\" of " + recordFile + " is damaged: " + error.what());
    }
    return 0;
}

// The registry store's text, as UTF-8 with LF line ends; throws for a missing or damaged store.
std::string RegistryText(const std::string& store)
{
    const std::optional<std::string> text = DecodeRegFile(ReadFileBytes(store));
    if (!text)
        throw std::invalid_argument(store + " is damaged: it is no valid UTF-16");
    const RegParseResult parsed = ParseRegText(*text);
    if (!parsed.document)
        throw std::invalid_argument(store + " is damaged: line " + std::to_string(parsed.errorLine) + ": " +
                                    AnsiToUtf8(parsed.error));
    std::string lines;
    for (const char c : *text)
        if (c != '\r')
            lines += c;
    return lines;
}

int ShowRegistryValue(const std::string& store, const std::string& key, const std::string& name)
{
    RegDocument document = *ParseRegText(RegistryText(store)).document;
    RegKey* found = document.FindKey(Utf8ToAnsi(key));
    const RegValue* value = found ? RegDocument::FindValue(*found, name == "@" ? "" : Utf8ToAnsi(name)) : nullptr;
    if (!value)
        throw std::invalid_argument(store + " has no value \"" + name + "\" in [" + key + "]");
    switch (value->type) {
    case RegValue::Type::String: std::cout << AnsiToUtf8(value->text) << '\n'; break;
    case RegValue::Type::Dword: std::cout << value->dword << '\n'; break;
    case RegValue::Type::Other: std::cout << value->text << '\n'; break;
    }
    return 0;
}

int Usage(const std::string& problem)
{
    std::cerr << "tapsodia-data: " << problem << "\n\n" << kUsage;
    return kUsageError;
}

int Registry(const std::vector<std::string>& args)
{
    const std::string store = RegistryStorePath();
    if (args.size() == 2 && args[1] == "show") {
        std::cout << RegistryText(store);
        return 0;
    }
    if (args.size() == 4 && args[1] == "get")
        return ShowRegistryValue(store, args[2], args[3]);
    return Usage("registry takes \"show\" or \"get KEY VALUE\"");
}

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    std::size_t arguments;
    int (*run)(const Arguments& args);
};

const Command kCommands[] = {
    {"encode", 2, [](const Arguments& a) { return Encode(a[1], a[2]); }},
    {"decode", 2, [](const Arguments& a) { return Decode(a[1], a[2]); }},
    {"list", 1, [](const Arguments& a) { return List(a[1]); }},
    {"extract", 3, [](const Arguments& a) { return Extract(a[1], a[2], a[3]); }},
};

int Run(const Arguments& args)
{
    if (args.empty())
        return Usage("no command given");
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (name == "registry")
        return Registry(args);
    for (const Command& command : kCommands) {
        if (name != command.name)
            continue;
        if (args.size() - 1 != command.arguments)
            return Usage(name + " takes " + std::to_string(command.arguments) + " argument" +
                         (command.arguments == 1 ? "" : "s"));
        return command.run(args);
    }
    return Usage("unknown command \"" + Printable(name) + "\"");
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "tapsodia-data: " << error.what() << '\n';
        return kFailure;
    }
}
