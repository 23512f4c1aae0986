// Small helpers shared by the benchmark programs: a monotonic clock, resident memory, medians
// and the figure lines that scripts/bench collects.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace bench {

// Nanoseconds of the system-wide monotonic clock; comparable between processes.
inline std::int64_t now_ns() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Resident set size of this process in KiB, from /proc/self/status.
inline long rss_kib() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kib = -1;
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, "VmRSS:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
  std::fclose(f);
  return kib;
}

inline double median(std::vector<double> v) {
  if (v.empty()) return 0.0;
  std::sort(v.begin(), v.end());
  std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// One figure: "<name> <value> <unit>", the line format scripts/bench reads.
inline void figure(const char* name, double value, const char* unit) {
  std::printf("%s %.6g %s\n", name, value, unit);
  std::fflush(stdout);
}

// A count from the command line, or the fallback when absent or malformed.
inline long arg_count(int argc, char** argv, int index, long fallback) {
  if (index >= argc) return fallback;
  char* end = nullptr;
  long v = std::strtol(argv[index], &end, 10);
  return end && *end == 0 && v > 0 ? v : fallback;
}

} // namespace bench
