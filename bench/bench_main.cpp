// brondel-bench: end-to-end throughput of brondel against the literal model
// and against the per-core ceiling of the number parser, on one generated
// stack, with medians of several runs.
#include <fast_float/fast_float.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "process_support.h"
#include "stack/char_class.h"
#include "stack_generator.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::uint64_t values = 10'000'000;
  int runs = 5;
  int modelRuns = 3;
  bool tenfold = true;  // also measure peak memory on a stack ten times the size
  std::string style = "mixed";
  std::string dir = "/tmp";
  std::string binDir;  // where brondel and brondel-model are
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 == 1 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint64_t fileSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  return static_cast<std::uint64_t>(in.tellg());
}

bool generate(const std::string& path, std::uint64_t values, brondel::bench::ValueStyle style) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool ok = brondel::bench::writeStack(out, values, style, 42) >= 0;
  return std::fclose(out) == 0 && ok;
}

// The values of the stack as separate tokens, the header skipped.
std::vector<std::string_view> splitValues(const std::string& text) {
  std::vector<std::string_view> tokens;
  const char* p = text.data();
  const char* const end = p + text.size();
  int skip = 24;
  while (p != end) {
    while (p != end && brondel::isSpaceByte(*p)) ++p;
    const char* const start = p;
    while (p != end && !brondel::isSpaceByte(*p)) ++p;
    if (p == start) break;
    if (skip > 0) {
      --skip;
    } else {
      tokens.emplace_back(start, static_cast<std::size_t>(p - start));
    }
  }
  return tokens;
}

// fast_float alone over tokens already in memory: the ceiling for one core.
template <class T>
double parseSeconds(const std::vector<std::string_view>& tokens) {
  const auto start = Clock::now();
  T sum = 0;
  for (const std::string_view token : tokens) {
    T value;
    fast_float::from_chars(token.data(), token.data() + token.size(), value);
    sum += value;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  volatile T sink = sum;
  (void)sink;
  return seconds;
}

struct Row {
  double brondelSeconds;
  double modelSeconds;
  double ceilingSeconds;
  long peakKiB;
};

Row measureEndToEnd(const Options& o, const std::string& stack, const char* option) {
  const std::string out = o.dir + "/brondel-bench.out";
  const std::string modelOut = o.dir + "/brondel-bench.model.out";
  Row row{};
  std::vector<double> times;
  for (int i = 0; i < o.runs; ++i) {
    const brondel::test::ProcessResult r = brondel::test::runProcess({o.binDir + "/brondel", stack, out, option});
    if (r.status != 0) {
      std::fprintf(stderr, "brondel failed with status %d\n", r.status);
      std::exit(1);
    }
    times.push_back(r.seconds);
    row.peakKiB = std::max(row.peakKiB, r.peakKiB);
  }
  row.brondelSeconds = median(times);
  times.clear();
  for (int i = 0; i < o.modelRuns; ++i) {
    times.push_back(brondel::test::runProcess({o.binDir + "/brondel-model", stack, modelOut, option}).seconds);
  }
  row.modelSeconds = median(times);
  if (!brondel::test::sameFileContent(out, modelOut)) {
    std::fprintf(stderr, "brondel and the model disagree on %s %s\n", stack.c_str(), option);
    std::exit(1);
  }
  std::remove(out.c_str());
  std::remove(modelOut.c_str());
  return row;
}

double measureCeiling(const Options& o, const std::vector<std::string_view>& tokens, bool single) {
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(o.runs));
  for (int i = 0; i < o.runs; ++i) times.push_back(single ? parseSeconds<float>(tokens) : parseSeconds<double>(tokens));
  return median(times);
}

Options parseOptions(int argc, char** argv) {
  Options o;
  const std::string self = argv[0];
  const std::size_t slash = self.rfind('/');
  o.binDir = slash == std::string::npos ? ".." : self.substr(0, slash) + "/..";
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : "";
    if (arg == "--values") {
      o.values = std::strtoull(next, nullptr, 10), ++i;
    } else if (arg == "--runs") {
      o.runs = std::atoi(next), ++i;
    } else if (arg == "--model-runs") {
      o.modelRuns = std::atoi(next), ++i;
    } else if (arg == "--style") {
      o.style = next, ++i;
    } else if (arg == "--dir") {
      o.dir = next, ++i;
    } else if (arg == "--bin-dir") {
      o.binDir = next, ++i;
    } else if (arg == "--no-tenfold") {
      o.tenfold = false;
    } else {
      std::fprintf(stderr,
                   "usage: brondel-bench [--values N] [--runs R] [--model-runs R] [--style mixed|integers|long]\n"
                   "                     [--dir DIR] [--bin-dir DIR] [--no-tenfold]\n");
      std::exit(1);
    }
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parseOptions(argc, argv);
  brondel::bench::ValueStyle style{};
  if (!brondel::bench::parseValueStyle(o.style, style)) {
    std::fprintf(stderr, "unknown style %s\n", o.style.c_str());
    return 1;
  }
  const std::string stack = o.dir + "/brondel-bench.stack";
  if (!generate(stack, o.values, style)) {
    std::perror(stack.c_str());
    return 1;
  }
  const double mb = static_cast<double>(fileSize(stack)) / 1e6;
  // Children first, while this process is small; then the ceiling, which
  // holds the whole stack in memory.
  Row rows[2] = {measureEndToEnd(o, stack, "-f:s"), measureEndToEnd(o, stack, "-f:d")};
  long tenfoldPeak = 0;
  if (o.tenfold) {
    const std::string big = o.dir + "/brondel-bench.tenfold.stack";
    const std::string out = o.dir + "/brondel-bench.tenfold.out";
    if (!generate(big, o.values * 10, style)) {
      std::perror(big.c_str());
      return 1;
    }
    for (const char* option : {"-f:s", "-f:d"}) {
      tenfoldPeak = std::max(tenfoldPeak, brondel::test::runProcess({o.binDir + "/brondel", big, out, option}).peakKiB);
    }
    std::remove(big.c_str());
    std::remove(out.c_str());
  }
  {
    const std::string text = readAll(stack);
    const std::vector<std::string_view> tokens = splitValues(text);
    rows[0].ceilingSeconds = measureCeiling(o, tokens, true);
    rows[1].ceilingSeconds = measureCeiling(o, tokens, false);
  }
  std::remove(stack.c_str());

  std::printf("stack: %llu %s values, %.1f MB; medians of %d runs (model: %d), page cache warm\n\n",
              static_cast<unsigned long long>(o.values), o.style.c_str(), mb, o.runs, o.modelRuns);
  std::printf(
      "| precision | brondel MB/s | brondel Mvalues/s | model MB/s | brondel / model | ceiling MB/s | "
      "brondel / ceiling | peak RSS |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const Row& r : rows) {
    std::printf("| %s | %.0f | %.1f | %.0f | %.1fx | %.0f | %.2f | %.1f MiB |\n", &r == rows ? "single" : "double",
                mb / r.brondelSeconds, static_cast<double>(o.values) / r.brondelSeconds / 1e6, mb / r.modelSeconds,
                r.modelSeconds / r.brondelSeconds, mb / r.ceilingSeconds, r.ceilingSeconds / r.brondelSeconds,
                static_cast<double>(r.peakKiB) / 1024);
  }
  if (o.tenfold) {
    std::printf("\npeak RSS for %llu values (ten times the stack): %.1f MiB\n",
                static_cast<unsigned long long>(o.values) * 10, static_cast<double>(tenfoldPeak) / 1024);
  }
  return 0;
}
