#include "platform/platform.h"

#include <stdexcept>

namespace {
Platform* currentPlatform = nullptr;
}

Platform* SetPlatform(Platform* platform)
{
    Platform* previous = currentPlatform;
    currentPlatform = platform;
    return previous;
}

Platform* InstalledPlatform()
{
    return currentPlatform;
}

Platform& ThePlatform()
{
    if (!currentPlatform)
        throw std::logic_error("no platform installed");
    return *currentPlatform;
}
