#include "datastore/file_bytes.h"

#include "platform/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowFileError(const char* what, const std::string& path)
{
    const int error = errno != 0 ? errno : EIO;
    throw std::system_error(error, std::generic_category(), std::string(what) + " \"" + path + "\"");
}

} // namespace

std::string ReadFileBytes(const std::string& path)
{
    std::error_code ignored;
    errno = std::filesystem::is_directory(path, ignored) ? EISDIR : 0;
    if (errno != 0)
        ThrowFileError("cannot read", path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ThrowFileError("cannot open", path);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        ThrowFileError("cannot read", path);
    return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes)
{
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        ThrowFileError("cannot create", path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        ThrowFileError("cannot write", path);
}

void ReplaceFileBytes(const std::string& path, std::string_view bytes, std::optional<fs::perms> permissions)
{
    ReplaceFileAtomically(path, bytes, permissions);
}

bool IsWriteProtected(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        return false;
    const fs::perms writeBits = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writeBits) == fs::perms::none || SystemRefusesWriting(path);
}
