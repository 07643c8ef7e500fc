#include "setup/version_number.h"

#include "services/text_helpers.h"

#include <cstdlib>

std::int32_t VersionNumberFromTitle(const std::string& title)
{
    const std::string version = TailFrom(title, LastPos(" ", title) + 1);
    const auto dot = version.find('.');
    const std::string major = version.substr(0, dot);
    std::string rest = dot == std::string::npos ? std::string() : version.substr(dot + 1);
    const bool preRelease = EndsWith(rest, "b");
    if (preRelease)
        rest.pop_back();
    const auto number = static_cast<std::int32_t>(StrToInt64De(major) * 100 + StrToInt64De(rest));
    return preRelease ? -number : number;
}

InstalledVersion CompareInstalled(std::int32_t installed, std::int32_t own)
{
    const std::int32_t installedAbs = std::abs(installed);
    const std::int32_t ownAbs = std::abs(own);
    if (installedAbs < ownAbs || (installedAbs == ownAbs && (own > installed || installed < 0)))
        return InstalledVersion::Older;
    if (own == installed)
        return InstalledVersion::Same;
    return InstalledVersion::Newer;
}
