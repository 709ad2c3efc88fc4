// Inputs with one enormous item: the program must give the literal model's
// bytes and status while its memory stays small. The inputs are written at
// run time, a chunk at a time, so that this process stays small too (a
// child's peak memory counts from its start as a copy of this process).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "process_support.h"
#include "test_support.h"

namespace brondel {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMiB = std::size_t{1} << 20;
constexpr long kMemoryLimitKiB = 32L * 1024;

struct Piece {
  std::string text;
  std::size_t repeat = 1;  // the text written this many times
};

void writePieces(const fs::path& path, const std::vector<Piece>& pieces) {
  std::ofstream out(path, std::ios::binary);
  for (const Piece& piece : pieces) {
    // Repeated pieces go out in blocks of about a MiB.
    const std::size_t perBlock = std::max<std::size_t>(1, kMiB / piece.text.size());
    std::string block;
    for (std::size_t i = 0; i < std::min(perBlock, piece.repeat); ++i) block += piece.text;
    std::size_t left = piece.repeat;
    while (left > 0) {
      const std::size_t now = std::min(left, perBlock);
      out.write(block.data(), static_cast<std::streamsize>(now * piece.text.size()));
      left -= now;
    }
  }
}

struct LargeCase {
  const char* name;
  std::vector<Piece> pieces;
};

std::vector<LargeCase> largeCases() {
  const std::string header = test::numberedHeader();
  const std::string headerAfterFirst = header.substr(header.find('\n') + 1);
  const std::size_t m64 = 64 * kMiB;
  return {
      {"KeywordOf256MiB", {{"k", 256 * kMiB}, {" 1\n" + headerAfterFirst + "1.5 2.5\n"}}},
      {"NumberOf64MiBDigitsAfterThePoint", {{header + "1.5 0."}, {"0", m64}, {"15e67108864 2.5\n"}}},
      {"NumberOf64MiBSevens", {{header + "1.5 "}, {"7", m64}, {"e-67108864 2.5\n"}}},
      {"ExponentOf64MiBDigits", {{header + "1.5 2e"}, {"0", m64}, {"7 2.5\n"}}},
      {"ExponentThatOverflows", {{header + "1.5 2e"}, {"9", m64}, {" 2.5\n"}}},
      {"ExponentThatUnderflows", {{header + "1.5 2e-"}, {"9", m64}, {" 2.5\n"}}},
      {"WhiteSpaceOf64MiB", {{header + "1.5"}, {" \t\r\n\v\f\n\n", m64 / 8}, {"2.5\n"}}},
  };
}

class LargeInputTest : public testing::TestWithParam<LargeCase> {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "brondel-large-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_P(LargeInputTest, SameAsModelInBoundedMemory) {
  const fs::path input = dir_ / "in.stack";
  writePieces(input, GetParam().pieces);
  for (const char* option : {"-f:s", "-f:d"}) {
    const fs::path ours = dir_ / "ours.bin";
    const fs::path model = dir_ / "model.bin";
    const test::ProcessResult run = test::runProcess({BRONDEL_EXECUTABLE, input.string(), ours.string(), option});
    const test::ProcessResult reference =
        test::runProcess({BRONDEL_MODEL_EXECUTABLE, input.string(), model.string(), option});
    EXPECT_EQ(run.status, reference.status) << option;
    EXPECT_TRUE(test::sameFileContent(ours.string(), model.string())) << option;
    EXPECT_LE(run.peakKiB, kMemoryLimitKiB) << option;
    RecordProperty(std::string("peak_kib_") + (option + 3), static_cast<int>(run.peakKiB));
    std::printf("%s %s: peak resident memory %.1f MiB\n", GetParam().name, option,
                static_cast<double>(run.peakKiB) / 1024);
  }
}

INSTANTIATE_TEST_SUITE_P(OneHugeItem, LargeInputTest, testing::ValuesIn(largeCases()),
                         [](const testing::TestParamInfo<LargeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace brondel
