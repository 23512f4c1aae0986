// Start-up time of a program: from just before the process is spawned to the moment it reports
// on its standard output as "presented_ns <monotonic ns>". Prints "startup_ms <ms>".
//
// Usage: startup_clock PROGRAM [ARGS...]
#include "bench_util.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

extern char** environ;

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  int out[2];
  if (pipe(out) != 0) return 1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const std::int64_t start = bench::now_ns();
  pid_t child;
  if (posix_spawn(&child, argv[1], &actions, nullptr, argv + 1, environ) != 0) return 1;
  close(out[1]);
  std::FILE* from = fdopen(out[0], "r");
  char line[256];
  long long presented = 0;
  while (std::fgets(line, sizeof line, from))
    if (std::strncmp(line, "presented_ns ", 13) == 0) presented = std::atoll(line + 13);
  std::fclose(from);
  int status = 0;
  waitpid(child, &status, 0);
  if (!presented || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "startup_clock: %s presented no frame\n", argv[1]);
    return 1;
  }
  bench::figure("startup_ms", static_cast<double>(presented - start) / 1e6, "ms");
  return 0;
}
