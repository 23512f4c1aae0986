// Reporting of failed run-time checks: an "Error" message box naming the failure, then the
// program ends with a non-zero exit code (documented in the README).
#pragma once

namespace orvex {

constexpr int EXIT_RANGE_CHECK = 3;
constexpr int EXIT_OVERFLOW_CHECK = 4;

// Shows "Error" with the text and ends the program with the given exit code.
[[noreturn]] void FAILEDCHECK(const char* text, int exit_code);

} // namespace orvex
