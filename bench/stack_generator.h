// Seeded generator of realistic ASCII stacks, for the benchmark and the
// large-file checks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace brondel::bench {

enum class ValueStyle {
  Mixed,     // a third each like 6715.302078, 1.0696138e-01 and -27996
  Integers,  // like -27996
  Long,      // 17 significant digits, like -3.1415926535897931e+02
};

// Parses "mixed", "integers" or "long"; false for anything else.
bool parseValueStyle(std::string_view name, ValueStyle& style);

// Writes a stack of twelve header entries and `values` values, eight to a
// line, to `out`. Returns the bytes written, or -1 on a write error.
std::int64_t writeStack(std::FILE* out, std::uint64_t values, ValueStyle style, std::uint64_t seed);

}  // namespace brondel::bench
