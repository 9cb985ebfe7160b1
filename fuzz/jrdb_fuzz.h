// What every JRDB reader's fuzz target checks: arbitrary bytes never crash a reader, and every
// record it keeps or refuses carries a line of the input; a record kept has a key of the JRA
// racecourses and a field of at most 18 runners.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jrdb/jrdb_readers.h"

namespace tz::fuzz {

template <typename Reader>
int FuzzJrdbReader(const std::uint8_t* data, std::size_t size, Reader read) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<jrdb::Problem> problems;
  const auto records = read("FUZZ.TXT", bytes, problems);
  const int lines = static_cast<int>(jrdb::SplitRecords(bytes).size());
  const int lastLine = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  if (static_cast<int>(records.size()) > lines) __builtin_trap();
  for (const auto& p : problems) {
    if (p.line < 1 || p.line > lastLine || jrdb::ProblemText(p).empty()) __builtin_trap();
  }
  for (const auto& r : records) {
    if (r.line < 1 || r.line > lastLine) __builtin_trap();
    if constexpr (requires { r.key; }) {
      if (r.key.course < 1 || r.key.course > 10 || r.key.Text().size() != 8) __builtin_trap();
    }
    if constexpr (requires { r.runners; }) {
      if (r.runners < 0 || r.runners > jrdb::kMaxJrdbRunners) __builtin_trap();
    }
    if constexpr (requires { r.number; }) {
      if (r.number < 1 || r.number > jrdb::kMaxJrdbRunners) __builtin_trap();
    }
  }
  return 0;
}

}  // namespace tz::fuzz
