// How much memory a piece of work takes: the growth of the process's peak resident memory
// and, in the sanitizer builds, the largest single allocation it asks for. Works the same
// with and without the sanitizers, except that only they report single allocations.
#pragma once

#include <sys/resource.h>

#include <atomic>
#include <cstddef>

extern "C" int
__sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, std::size_t),
                                          void (*)(const volatile void*)) __attribute__((weak));

namespace orvex::test {

namespace allocation_watch_detail {
inline std::atomic<bool> watching{false};
inline std::atomic<std::size_t> largest{0};
inline void on_allocation(const volatile void*, std::size_t size) {
  if (!watching.load(std::memory_order_relaxed)) return;
  std::size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size)) {
  }
}
inline void on_free(const volatile void*) {}
} // namespace allocation_watch_detail

class AllocationWatch {
public:
  // Starts watching; the hooks go in once per process, where the sanitizers offer them.
  AllocationWatch() {
    namespace d = allocation_watch_detail;
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks &&
        __sanitizer_install_malloc_and_free_hooks(d::on_allocation, d::on_free) != 0;
    sees_allocations_ = installed;
    peak_before_ = peak_rss_kib();
    d::largest = 0;
    d::watching = true;
  }
  ~AllocationWatch() { allocation_watch_detail::watching = false; }

  // Whether largest_allocation() means anything in this build.
  bool sees_allocations() const { return sees_allocations_; }
  std::size_t largest_allocation() const { return allocation_watch_detail::largest; }
  // KiB by which the process's peak resident memory grew since the watch started.
  long peak_growth_kib() const { return peak_rss_kib() - peak_before_; }

private:
  static long peak_rss_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
  }
  bool sees_allocations_ = false;
  long peak_before_ = 0;
};

} // namespace orvex::test
