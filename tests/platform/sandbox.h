#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

// A home of its own for a test: HOME, the XDG folders and TMPDIR point into a
// fresh temporary folder while the sandbox lives.
class Sandbox {
public:
    Sandbox()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tapsody-test-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        Set("HOME", root_ + "/home");
        Set("XDG_CONFIG_HOME", root_ + "/home/.config");
        Set("XDG_DATA_HOME", root_ + "/home/.local/share");
        Set("XDG_RUNTIME_DIR", root_ + "/run");
        Set("TMPDIR", root_ + "/tmp");
        for (const char* folder : {"/home", "/run", "/tmp"})
            std::filesystem::create_directories(root_ + folder);
    }
    ~Sandbox()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::string& Root() const { return root_; }
    std::string Home() const { return root_ + "/home"; }

    void Set(const std::string& name, const std::string& value)
    {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }
    static void Write(const std::string& path, const std::string& text)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

private:
    std::string root_;
    std::map<std::string, std::optional<std::string>> saved_;
};
