// The program as users run it: arguments, files, messages and exit statuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "process_support.h"
#include "test_support.h"

namespace brondel {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class CliTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "brondel-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    writeFile(path("in.stack"), test::numberedHeader() + "1.5 -2\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // Runs the program with `args`, in the test's folder, standard input from /dev/null.
  RunResult run(const std::vector<std::string>& args) const {
    std::vector<std::string> all{BRONDEL_EXECUTABLE};
    all.insert(all.end(), args.begin(), args.end());
    const std::string outPath = (dir_ / ".stdout").string();
    const std::string errPath = (dir_ / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, dir_.c_str());
    const test::ProcessResult process = test::runProcess(all, &actions);
    posix_spawn_file_actions_destroy(&actions);
    RunResult result{process.status, readFile(outPath), readFile(errPath)};
    fs::remove(outPath);
    fs::remove(errPath);
    return result;
  }

  fs::path dir_;
};

const std::string kUsage =
    "converting stacks in ascii format into stacks in binary format for Tarkel\n"
    "usage: Brondel <input stack in ascii format> <output stack in binary format> [-f:s|d]\n"
    "-f:s|d output format. t=text (with double precision, this is default), s=single precision, d=double "
    "precision\n";

TEST_F(CliTest, UsageWithFewerThanTwoArguments) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"in.stack"}}) {
    const RunResult r = run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kUsage);
    EXPECT_EQ(r.err, "");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no file may be created";
}

// Every row of the decoding table, through the program: the output length
// shows the precision; text is refused before any file is touched.
TEST_F(CliTest, FormatOptionSelectsPrecision) {
  struct Row {
    std::vector<std::string> extra;
    Format format;
  };
  const Row rows[] = {{{}, Format::Double},
                      {{""}, Format::Double},
                      {{"-f:s"}, Format::Single},
                      {{"-f:d"}, Format::Double},
                      {{"-f:t"}, Format::Text},
                      {{"-f:"}, Format::Text},
                      {{"-f:single"}, Format::Single},
                      {{"-f:ss"}, Format::Single},
                      {{"-f:S"}, Format::Text},
                      {{"-F:s"}, Format::Double},
                      {{"s"}, Format::Double},
                      {{"-f"}, Format::Double},
                      {{"abc-f:s"}, Format::Single},
                      {{"x:d-f:s"}, Format::Double},
                      {{"a:-f:s"}, Format::Text},
                      // Arguments after the third are ignored, a format option among them too.
                      {{"-f:s", "-f:d"}, Format::Single},
                      {{"x", "-f:s"}, Format::Double}};
  for (const Row& row : rows) {
    writeFile(path("out.bin"), "old");
    std::vector<std::string> args{"in.stack", "out.bin"};
    args.insert(args.end(), row.extra.begin(), row.extra.end());
    const RunResult r = run(args);
    const std::string label = row.extra.empty() ? "(none)" : row.extra.front();
    if (row.format == Format::Text) {
      EXPECT_EQ(r.status, 2) << label;
      EXPECT_EQ(r.err, "output format text is not supported, use -f:s or -f:d\n") << label;
      EXPECT_EQ(readFile(path("out.bin")), "old") << label << ": output must stay untouched";
    } else {
      EXPECT_EQ(r.status, 0) << label;
      EXPECT_EQ(r.err, "") << label;
      EXPECT_EQ(readFile(path("out.bin")), test::binaryOf(row.format, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1.5, -2}))
          << label;
    }
    EXPECT_EQ(r.out, "") << label;
  }
}

TEST_F(CliTest, SuccessIsSilentAndTruncatesExistingOutput) {
  writeFile(path("out.bin"), std::string(5000, 'x'));
  const RunResult r = run({"in.stack", "out.bin", "-f:s"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(readFile(path("out.bin")).size(), 56U);
}

TEST_F(CliTest, InputThatCannotBeOpened) {
  fs::create_directory(path("folder"));
  writeFile(path("kept.bin"), "kept");
  struct Row {
    std::string input;
    std::string output;
  };
  const Row rows[] = {{"missing.stack", "kept.bin"},
                      {"missing.stack", "never.bin"},
                      {"", "kept.bin"},
                      {"folder", "kept.bin"},
                      {"folder", "never.bin"}};
  for (const Row& row : rows) {
    const RunResult r = run({row.input, row.output});
    EXPECT_EQ(r.status, 99) << row.input;
    EXPECT_EQ(r.err, "error opening input file " + row.input + "\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(readFile(path("kept.bin")), "kept");
  EXPECT_FALSE(fs::exists(path("never.bin")));
}

TEST_F(CliTest, OutputThatCannotBeOpened) {
  for (const std::string& output : {std::string("no/such/dir/out.bin"), std::string("")}) {
    const RunResult r = run({"in.stack", output});
    EXPECT_EQ(r.status, 98);
    EXPECT_EQ(r.err, "error opening output file " + output + "\n");
  }
}

TEST_F(CliTest, OutputThatIsTheInputIsRefused) {
  const std::string original = readFile(path("in.stack"));
  fs::create_hard_link(path("in.stack"), path("hard.stack"));
  fs::create_symlink("in.stack", path("soft.stack"));
  for (const std::string output : {"in.stack", "./in.stack", "hard.stack", "soft.stack"}) {
    const RunResult r = run({"in.stack", output});
    EXPECT_EQ(r.status, 98) << output;
    EXPECT_EQ(r.err, "error opening output file " + output + " (same file as the input)\n");
    EXPECT_EQ(readFile(path("in.stack")), original) << output;
  }
}

TEST_F(CliTest, FailuresAfterOpeningHaveTheirOwnStatus) {
  writeFile(path("short.stack"), "a 1\nb 2\nc 3\n");
  struct Row {
    std::string input;
    std::string output;
    int status;
    std::string message;
  };
  const Row rows[] = {
      {"in.stack", "/dev/full", 97, "error writing output file /dev/full\n"},
      {"/proc/self/mem", "out.bin", 96, "error reading input file /proc/self/mem\n"},
      {"short.stack", "out.bin", 95, "incomplete header in input file short.stack\n"},
  };
  for (const Row& row : rows) {
    const RunResult r = run({row.input, row.output});
    EXPECT_EQ(r.status, row.status) << row.input;
    EXPECT_EQ(r.err, row.message);
  }
  // The short header still gives twelve header numbers, the last one repeated.
  EXPECT_EQ(readFile(path("out.bin")), test::binaryOf(Format::Double, {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
}

TEST_F(CliTest, PipesWorkAsInputAndOutput) {
  const std::string command =
      "cd '" + dir_.string() + "' && cat in.stack | '" BRONDEL_EXECUTABLE "' /dev/stdin /dev/stdout -f:s > piped.bin";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(readFile(path("piped.bin")),
            test::binaryOf(Format::Single, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1.5, -2}));
}

TEST_F(CliTest, FifoWorksAsInput) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  const std::string command =
      "cd '" + dir_.string() + "' && (cat in.stack > fifo &) && '" BRONDEL_EXECUTABLE "' fifo fifo.bin -f:d";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(readFile(path("fifo.bin")),
            test::binaryOf(Format::Double, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1.5, -2}));
}

}  // namespace
}  // namespace brondel
