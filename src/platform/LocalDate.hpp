#pragma once
#include <chrono>

namespace corvina {

// Today in the user's time zone.
std::chrono::year_month_day localToday();

}  // namespace corvina
