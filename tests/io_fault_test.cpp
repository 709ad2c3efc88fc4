// The program under injected system-call behaviour: short transfers,
// interruptions, and errors while reading, writing and closing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

#include "driver.h"
#include "test_support.h"

namespace brondel {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// What the fake system calls do; reset by each test.
struct FaultPlan {
  std::size_t maxRead = std::numeric_limits<std::size_t>::max();
  bool cycleReadLengths = false;  // read lengths 1, 2, ... 13, 1, 2, ...
  bool interruptEveryOther = false;
  std::int64_t readErrorAt = kNever;  // input offset at which reading fails with EIO
  std::size_t maxWrite = std::numeric_limits<std::size_t>::max();
  std::int64_t writeErrorAt = kNever;  // output offset at which writing fails with ENOSPC
  bool failOutputClose = false;

  std::int64_t readOffset = 0;
  std::int64_t writeOffset = 0;
  unsigned callCount = 0;
  unsigned readLength = 0;
  int writtenFd = -1;
};

FaultPlan plan;

bool interruptNow() { return plan.interruptEveryOther && (++plan.callCount % 2 == 1); }

ssize_t fakeRead(int fd, void* buffer, size_t count) {
  if (interruptNow()) {
    errno = EINTR;
    return -1;
  }
  if (plan.readOffset >= plan.readErrorAt) {
    errno = EIO;
    return -1;
  }
  std::size_t limit = std::min(count, plan.maxRead);
  if (plan.cycleReadLengths) limit = std::min<std::size_t>(limit, plan.readLength++ % 13 + 1);
  if (plan.readErrorAt != kNever) limit = std::min<std::size_t>(limit, plan.readErrorAt - plan.readOffset);
  const ssize_t n = ::read(fd, buffer, limit);
  if (n > 0) plan.readOffset += n;
  return n;
}

ssize_t fakeWrite(int fd, const void* data, size_t count) {
  plan.writtenFd = fd;
  if (interruptNow()) {
    errno = EINTR;
    return -1;
  }
  if (plan.writeOffset >= plan.writeErrorAt) {
    errno = ENOSPC;
    return -1;
  }
  std::size_t limit = std::min(count, plan.maxWrite);
  if (plan.writeErrorAt != kNever) limit = std::min<std::size_t>(limit, plan.writeErrorAt - plan.writeOffset);
  const ssize_t n = ::write(fd, data, limit);
  if (n > 0) plan.writeOffset += n;
  return n;
}

int fakeClose(int fd) {
  const int result = ::close(fd);
  if (plan.failOutputClose && fd == plan.writtenFd) {
    errno = EIO;
    return -1;
  }
  return result;
}

constexpr io::SystemCalls kFakeCalls{fakeRead, fakeWrite, fakeClose};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class IoFaultTest : public testing::Test {
 protected:
  void SetUp() override {
    plan = FaultPlan{};
    std::string pattern = (fs::temp_directory_path() / "brondel-io-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the driver on `ascii` in double precision with the fake calls.
  int convert(const std::string& ascii) {
    std::ofstream(dir_ / "in.stack", std::ios::binary) << ascii;
    const std::string in = (dir_ / "in.stack").string();
    const std::string out = (dir_ / "out.bin").string();
    const char* argv[] = {"brondel", in.c_str(), out.c_str(), "-f:d"};
    std::ostringstream stdoutText;
    std::ostringstream stderrText;
    const int status = runDriver(4, argv, stdoutText, stderrText, kFakeCalls);
    EXPECT_EQ(stdoutText.str(), "");
    message_ = stderrText.str();
    return status;
  }

  std::string output() const { return readFile(dir_ / "out.bin"); }
  std::string outName() const { return (dir_ / "out.bin").string(); }

  fs::path dir_;
  std::string message_;
};

std::string manyValues() {
  std::string ascii = test::numberedHeader();
  for (int i = 0; i < 3000; ++i) ascii += std::to_string(i) + ".25e-1" + (i % 7 == 6 ? "\n" : "\t");
  return ascii;
}

TEST_F(IoFaultTest, ShortAndInterruptedTransfersChangeNothing) {
  const std::string ascii = manyValues();
  const std::string expected = model::convertLiterally(ascii, Format::Double).bytes;
  struct Case {
    const char* name;
    void (*arrange)();
  };
  const Case cases[] = {
      {"one byte a read", [] { plan.maxRead = 1; }},
      {"every short read length", [] { plan.cycleReadLengths = true; }},
      {"interrupted reads and writes", [] { plan.interruptEveryOther = true; }},
      {"three bytes a write", [] { plan.maxWrite = 3; }},
      {"all at once",
       [] {
         plan.cycleReadLengths = true;
         plan.interruptEveryOther = true;
         plan.maxWrite = 5;
       }},
  };
  for (const Case& c : cases) {
    plan = FaultPlan{};
    c.arrange();
    EXPECT_EQ(convert(ascii), kExitSuccess) << c.name;
    EXPECT_EQ(message_, "") << c.name;
    EXPECT_EQ(output(), expected) << c.name;
  }
}

TEST_F(IoFaultTest, ReadErrorKeepsTheValuesConvertedBeforeIt) {
  const std::string ascii = manyValues();
  for (const std::size_t cut : {ascii.size() / 3, ascii.size() / 2 + 1, ascii.size() - 2}) {
    plan = FaultPlan{};
    plan.readErrorAt = static_cast<std::int64_t>(cut);
    plan.cycleReadLengths = true;
    EXPECT_EQ(convert(ascii), kExitReadError) << cut;
    EXPECT_EQ(message_, "error reading input file " + (dir_ / "in.stack").string() + "\n");
    // The number the error cut off is not written: it may have been longer.
    const std::size_t lastSpace = ascii.find_last_of(" \t\n", cut - 1);
    EXPECT_EQ(output(), model::convertLiterally(ascii.substr(0, lastSpace + 1), Format::Double).bytes) << cut;
  }
}

TEST_F(IoFaultTest, WriteAndCloseErrorsAreReported) {
  const std::string small = test::numberedHeader() + "1 2 3\n";
  struct Case {
    const char* name;
    std::string ascii;
    void (*arrange)();
  };
  const Case cases[] = {
      {"disk full in the middle", manyValues(), [] { plan.writeErrorAt = 10000; }},
      {"disk full on the final flush", small, [] { plan.writeErrorAt = 0; }},
      {"disk full part way through the final flush", small, [] { plan.writeErrorAt = 50; }},
      {"close of the output fails", small, [] { plan.failOutputClose = true; }},
      {"disk full while reading fails too", manyValues(),
       [] {
         plan.writeErrorAt = 1000;
         plan.readErrorAt = 20000;
       }},
  };
  for (const Case& c : cases) {
    plan = FaultPlan{};
    c.arrange();
    EXPECT_EQ(convert(c.ascii), kExitWriteError) << c.name;
    EXPECT_EQ(message_, "error writing output file " + outName() + "\n") << c.name;
    const std::string expected = model::convertLiterally(c.ascii, Format::Double).bytes;
    EXPECT_EQ(expected.compare(0, output().size(), output()), 0) << c.name << ": output is no prefix";
  }
}

}  // namespace
}  // namespace brondel
