// Runs one scenario by name, writing record.txt in the working directory; --list names them.
#include "scenarios.h"

#include <cstdio>
#include <cstring>

namespace {

struct Scenario {
  const char* name;
  void (*run)();
};

constexpr Scenario kScenarios[] = {
    {"window_captioned", fidelity::window_captioned},
    {"window_borderless", fidelity::window_borderless},
    {"window_popup", fidelity::window_popup},
    {"window_child", fidelity::window_child},
    {"queue_order", fidelity::queue_order},
    {"timer_missed_periods", fidelity::timer_missed_periods},
    {"peek_noremove", fidelity::peek_noremove},
    {"send_close", fidelity::send_close},
    {"syscommand_close", fidelity::syscommand_close},
    {"context_menu", fidelity::context_menu},
    {"alt_f4_syskeydown", fidelity::alt_f4_syskeydown},
    {"capture_changes", fidelity::capture_changes},
    {"input_mouse", fidelity::input_mouse},
    {"input_child_region", fidelity::input_child_region},
    {"input_keys", fidelity::input_keys},
    {"message_box_return", fidelity::message_box_return},
    {"regions", fidelity::regions},
    {"bitmaps", fidelity::bitmaps},
};

} // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const Scenario& s : kScenarios) std::printf("%s\n", s.name);
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SCENARIO | --list\n", argv[0]);
    return 2;
  }
  for (const Scenario& s : kScenarios)
    if (std::strcmp(argv[1], s.name) == 0) {
      s.run();
      fidelity::line("end");
      return 0;
    }
  std::fprintf(stderr, "unknown scenario %s\n", argv[1]);
  return 2;
}
