// Compares the records of the scenarios on our layer and under the reference implementation,
// after the accepted differences are applied, and prints what is left.
//
//   fidelity-compare [--all] ACCEPTED NATIVE_DIR REFERENCE_DIR SCENARIO...
//
// Entries that no compared record needed are noted (message entries only with --all, when the
// scenarios named are all there are), so that the list does not outlive its differences.
// Each record is DIR/SCENARIO/record.txt. The entries of ACCEPTED, one a line, each with its
// reason after " | ":
//   message NAME | reason                  the reference sends NAME and our layer does not:
//                                          its msg, def, foreign and thread lines are dropped
//                                          from the reference record
//   mask SCENARIO REGEX | reason            text matching REGEX reads "*" in both records
//   drop SIDE SCENARIO REGEX | reason       lines matching REGEX are dropped from the record of
//                                          SIDE (native or reference)
// A REGEX (ECMAScript) is the rest of the entry before " | " and may contain spaces.
// Exit status: 0 when every scenario matches, 1 when one differs, 2 on a usage or file error.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
  std::string kind, subject, scenario, side, pattern_text, reason;
  std::regex pattern;
  int line = 0;
  bool used = false;
};

using Lines = std::vector<std::string>;

bool read_lines(const std::string& path, Lines* out) {
  std::ifstream in(path);
  if (!in) return false;
  std::string s;
  while (std::getline(in, s)) {
    if (!s.empty() && s.back() == '\r') s.pop_back();
    out->push_back(s);
  }
  return true;
}

bool parse_entries(const std::string& path, std::vector<Entry>* entries) {
  Lines lines;
  if (!read_lines(path, &lines)) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& s = lines[i];
    if (s.empty() || s[0] == '#') continue;
    auto bar = s.find(" | ");
    Entry e;
    e.line = static_cast<int>(i + 1);
    if (bar != std::string::npos) e.reason = s.substr(bar + 3);
    std::istringstream fields(s.substr(0, bar));
    fields >> e.kind;
    bool ok = !e.reason.empty();
    if (e.kind == "message") {
      ok = ok && static_cast<bool>(fields >> e.subject);
    } else if (e.kind == "mask") {
      ok = ok && static_cast<bool>(fields >> e.scenario >> std::ws);
      std::getline(fields, e.pattern_text);
      ok = ok && !e.pattern_text.empty();
    } else if (e.kind == "drop") {
      ok = ok && static_cast<bool>(fields >> e.side >> e.scenario >> std::ws) &&
           (e.side == "native" || e.side == "reference");
      std::getline(fields, e.pattern_text);
      ok = ok && !e.pattern_text.empty();
    } else {
      ok = false;
    }
    if (ok && !e.pattern_text.empty()) {
      try {
        e.pattern = std::regex(e.pattern_text);
      } catch (const std::regex_error&) {
        ok = false;
      }
    }
    if (!ok) {
      std::fprintf(stderr, "%s:%d: not an accepted difference with its reason: %s\n", path.c_str(),
                   e.line, s.c_str());
      return false;
    }
    entries->push_back(std::move(e));
  }
  return true;
}

// The message a line is about, for the lines that a message entry drops.
std::string message_of(const std::string& s) {
  static const char* kinds[] = {"msg ", "def ", "foreign ", "thread "};
  for (const char* k : kinds) {
    std::string prefix = k;
    if (s.compare(0, prefix.size(), prefix) == 0) {
      auto end = s.find(' ', prefix.size());
      return s.substr(prefix.size(),
                      end == std::string::npos ? std::string::npos : end - prefix.size());
    }
  }
  return "";
}

Lines apply(const Lines& in, const std::string& scenario, bool reference,
            std::vector<Entry>& entries) {
  Lines out;
  for (std::string s : in) {
    bool dropped = false;
    for (Entry& e : entries) {
      if (e.kind == "message" && reference && message_of(s) == e.subject) {
        dropped = e.used = true;
      } else if (e.kind == "drop" && e.scenario == scenario &&
                 (e.side == "reference") == reference && std::regex_search(s, e.pattern)) {
        dropped = e.used = true;
      }
      if (dropped) break;
    }
    if (dropped) continue;
    for (Entry& e : entries)
      if (e.kind == "mask" && e.scenario == scenario && std::regex_search(s, e.pattern)) {
        s = std::regex_replace(s, e.pattern, "*");
        e.used = true;
      }
    out.push_back(s);
  }
  return out;
}

// Prints the two records' differences with a little context, in the manner of diff -u.
void print_difference(const Lines& a, const Lines& b) {
  const std::size_t n = a.size(), m = b.size();
  std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
  struct Row {
    char mark;
    std::string text;
  };
  std::vector<Row> rows;
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      rows.push_back({' ', a[i++]});
      ++j;
    } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
      rows.push_back({'+', b[j++]});
    } else {
      rows.push_back({'-', a[i++]});
    }
  }
  constexpr std::size_t kContext = 3;
  std::vector<bool> show(rows.size(), false);
  for (std::size_t k = 0; k < rows.size(); ++k)
    if (rows[k].mark != ' ')
      for (std::size_t c = (k > kContext ? k - kContext : 0);
           c <= std::min(rows.size() - 1, k + kContext); ++c)
        show[c] = true;
  bool gap = false;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (!show[k]) {
      gap = true;
      continue;
    }
    if (gap) std::printf("    ...\n");
    gap = false;
    std::printf("  %c %s\n", rows[k].mark, rows[k].text.c_str());
  }
}

} // namespace

int main(int argc, char** argv) {
  // --all: the scenarios named are all there are, so an unused message entry is worth a note.
  const bool all = argc > 1 && std::string(argv[1]) == "--all";
  if (all) --argc, ++argv;
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s [--all] ACCEPTED NATIVE_DIR REFERENCE_DIR SCENARIO...\n",
                 argv[0]);
    return 2;
  }
  const int first = 4;
  std::vector<Entry> entries;
  if (!parse_entries(argv[1], &entries)) return 2;
  int differing = 0;
  for (int k = first; k < argc; ++k) {
    std::string scenario = argv[k];
    Lines native, reference;
    if (!read_lines(std::string(argv[2]) + "/" + scenario + "/record.txt", &native) ||
        !read_lines(std::string(argv[3]) + "/" + scenario + "/record.txt", &reference)) {
      std::printf("%-24s NO RECORD\n", scenario.c_str());
      ++differing;
      continue;
    }
    Lines a = apply(native, scenario, false, entries),
          b = apply(reference, scenario, true, entries);
    if (a == b) {
      std::printf("%-24s match (%zu lines)\n", scenario.c_str(), a.size());
      continue;
    }
    ++differing;
    std::printf("%-24s DIFFERS (- our layer, + reference)\n", scenario.c_str());
    print_difference(a, b);
  }
  // Entries for scenarios that were compared, and message entries when every scenario was.
  auto compared = [&](const Entry& e) {
    if (e.kind == "message") return all;
    for (int k = first; k < argc; ++k)
      if (e.scenario == argv[k]) return true;
    return false;
  };
  for (const Entry& e : entries)
    if (!e.used && compared(e))
      std::printf("note: accepted difference on line %d was not needed: %s %s%s\n", e.line,
                  e.kind.c_str(), e.subject.empty() ? "" : e.subject.c_str(),
                  e.pattern_text.c_str());
  return differing ? 1 : 0;
}
