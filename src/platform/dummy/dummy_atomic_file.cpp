#include "platform/atomic_file.h"

#include <system_error>

// Nothing is ever written: every replacement fails, leaving the target as it was.
void ReplaceFileAtomically(const std::filesystem::path& target, std::string_view, std::optional<std::filesystem::perms>)
{
    throw std::filesystem::filesystem_error("cannot write", target,
                                            std::make_error_code(std::errc::function_not_supported));
}

bool SystemRefusesWriting(const std::string&)
{
    return true;
}
