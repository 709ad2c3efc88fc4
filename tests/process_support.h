// Running a program as a child process, and comparing files, for the tests
// and the benchmark.
#pragma once

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

namespace brondel::test {

struct ProcessResult {
  int status;      // exit status, or -1 when the child did not exit normally
  double seconds;  // wall time from start to end
  long peakKiB;    // the child's peak resident memory
};

// Runs args[0] with `args` and waits for it. The child's peak memory counts
// from its start as a copy of the caller, so a caller measuring it must be
// small itself. Returns status -1 when the program cannot be started.
inline ProcessResult runProcess(const std::vector<std::string>& args,
                                const posix_spawn_file_actions_t* actions = nullptr) {
  std::vector<std::string> copy = args;
  std::vector<char*> argv;
  argv.reserve(copy.size() + 1);
  for (std::string& arg : copy) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], actions, nullptr, argv.data(), environ) != 0) return {-1, 0, 0};
  int wstatus = 0;
  rusage usage{};
  wait4(pid, &wstatus, 0, &usage);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return {WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, seconds, usage.ru_maxrss};
}

// True when both files hold the same bytes; reads them a block at a time.
inline bool sameFileContent(const std::string& a, const std::string& b) {
  std::ifstream fa(a, std::ios::binary);
  std::ifstream fb(b, std::ios::binary);
  std::vector<char> ba(1 << 16);
  std::vector<char> bb(1 << 16);
  for (;;) {
    fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
    fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
    if (fa.gcount() != fb.gcount() || !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin())) return false;
    if (fa.gcount() == 0) return true;
  }
}

}  // namespace brondel::test
