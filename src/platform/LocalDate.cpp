#include "platform/LocalDate.hpp"

#include <glib.h>

namespace corvina {

std::chrono::year_month_day localToday() {
    GDateTime* now = g_date_time_new_now_local();
    const std::chrono::year_month_day today{std::chrono::year{g_date_time_get_year(now)},
                                            std::chrono::month{static_cast<unsigned>(g_date_time_get_month(now))},
                                            std::chrono::day{static_cast<unsigned>(g_date_time_get_day_of_month(now))}};
    g_date_time_unref(now);
    return today;
}

}  // namespace corvina
