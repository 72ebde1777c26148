#include "platform/BenchmarkSwitch.hpp"

#include <glib.h>

#include <sstream>
#include <string>

namespace corvina {

bool benchmarkTurnsOff(const char* part) {
    const char* off = g_getenv("CORVINA_BENCH_OFF");
    if (!off) return false;
    std::istringstream names(off);
    for (std::string name; std::getline(names, name, ',');)
        if (name == part) return true;
    return false;
}

}  // namespace corvina
