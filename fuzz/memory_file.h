// A file that lives in memory, for code under test that reads its input by file name: the
// bytes of each fuzz input are written into one anonymous memory file, reachable through a
// /proc/self/fd path, so that no input ever touches the disk.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvex::fuzz {

class MemoryFile {
public:
  MemoryFile() {
    fd_ = memfd_create("orvex-fuzz-input", MFD_CLOEXEC);
    if (fd_ < 0) {
      std::perror("memfd_create");
      std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  // Replaces the file's contents with the bytes; returns the path that names the file.
  const char* hold(const std::uint8_t* data, std::size_t size) {
    if (ftruncate(fd_, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < size) {
      ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
    return path_.c_str();
  }

private:
  int fd_ = -1;
  std::string path_;
};

// Stops the run with a message when a promise of the code under test does not hold; the
// fuzzer keeps the input that broke it as a crash.
[[noreturn]] inline void broken(const char* what) {
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

} // namespace orvex::fuzz
