// brondel-generate: writes a seeded random ASCII stack to standard output.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "stack_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: brondel-generate <values> [mixed|integers|long] [seed]\n");
    return 1;
  }
  const std::uint64_t values = std::strtoull(argv[1], nullptr, 10);
  brondel::bench::ValueStyle style = brondel::bench::ValueStyle::Mixed;
  if (argc > 2 && !brondel::bench::parseValueStyle(argv[2], style)) {
    std::fprintf(stderr, "unknown value style %s\n", argv[2]);
    return 1;
  }
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  return brondel::bench::writeStack(stdout, values, style, seed) < 0 ? 1 : 0;
}
