#pragma once

namespace corvina {

// Whether the benchmark has turned a part of the app off, to measure what that part costs:
// CORVINA_BENCH_OFF holds the parts' names, separated by commas. Users never set it.
bool benchmarkTurnsOff(const char* part);

}  // namespace corvina
