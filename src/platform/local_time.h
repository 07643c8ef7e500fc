#pragma once

#include <ctime>

// The calendar time in the user's time zone, as the system tells it. Each
// platform back-end defines it; safe to call from any thread.
std::tm LocalTime(std::time_t seconds);
