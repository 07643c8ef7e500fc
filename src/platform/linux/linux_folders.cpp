#include "platform/linux/linux_folders.h"

#include "platform/ansi_utf8.h"
#include "platform/linux/linux_paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

std::string LinuxSystemFolders::WindowsFolder()
{
    return AnsiFolder(ConfigHomePath());
}

std::string LinuxSystemFolders::ProgramFilesFolder()
{
    return AnsiFolder(DataHomePath());
}

std::string LinuxSystemFolders::DocumentsFolder()
{
    return AnsiFolder(UserDirPath("DOCUMENTS", "Documents"));
}

std::string LinuxSystemFolders::TempFolder()
{
    return AnsiFolder(TempPath());
}

std::string LinuxSystemFolders::HomeFolder()
{
    return AnsiFolder(HomePath());
}

std::string LinuxSystemFolders::FirstFallbackFolder()
{
    return AnsiFolder(HomePath());
}

std::string LinuxSystemFolders::SecondFallbackFolder()
{
    return "/";
}

std::optional<std::string> LinuxSystemFolders::SpecialFolder(int id)
{
    std::error_code error;
    if (id == SpecialFolderPrograms) {
        // Asking creates nothing: the folder comes with the first launcher put there.
        return AnsiFolder(DataHomePath() + "/applications");
    } else if (id == SpecialFolderDesktopDirectory) {
        const std::string desktop = UserDirPath("DESKTOP", "Desktop");
        if (std::filesystem::is_directory(desktop, error))
            return AnsiFolder(desktop);
    }
    return std::nullopt;
}

std::string LinuxSystemFolders::ExecutablePath()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : Utf8ToAnsi(path.string());
}

std::string LinuxSystemFolders::CommandLine()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c != '\0') {
            word += c;
            continue;
        }
        words.push_back(Utf8ToAnsi(word));
        word.clear();
    }
    if (!words.empty())
        words.erase(words.begin()); // the program's name as it was started
    return JoinCommandLine(ExecutablePath(), words);
}

std::string JoinCommandLine(const std::string& programPath, const std::vector<std::string>& parameters)
{
    // A folder name may hold a double quote: it is written twice inside the quotes.
    std::string line = "\"";
    for (const char c : programPath)
        line += c == '"' ? std::string("\"\"") : std::string(1, c);
    line += '"';
    for (const std::string& parameter : parameters) {
        const bool quote = parameter.empty() || parameter.find_first_of(" \t") != std::string::npos;
        line += quote ? " \"" + parameter + "\"" : " " + parameter;
    }
    return line;
}
