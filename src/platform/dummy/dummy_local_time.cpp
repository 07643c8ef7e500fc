#include "platform/local_time.h"

#include <mutex>

// A system without time zones: the local time is the universal time.
std::tm LocalTime(std::time_t seconds)
{
    static std::mutex sharedResult;
    const std::lock_guard lock(sharedResult);
    const std::tm* utc = std::gmtime(&seconds);
    return utc ? *utc : std::tm{};
}
