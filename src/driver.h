// The command line: arguments, opening and closing the files, messages and
// exit statuses around one call of convertStack.
#pragma once

#include <ostream>

#include "io/fd_stream.h"

namespace brondel {

// Exit statuses of the program.
enum ExitStatus : int {
  kExitSuccess = 0,
  kExitUsage = 1,
  kExitUnsupportedFormat = 2,
  kExitIncompleteHeader = 95,
  kExitReadError = 96,
  kExitWriteError = 97,
  kExitOutputOpenError = 98,
  kExitInputOpenError = 99,
};

// Runs the program on `argv` (program name first) and returns the exit
// status. The usage text goes to `out`, error messages to `err`. Reading,
// writing and closing the open files go through `calls`.
int runDriver(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
              const io::SystemCalls& calls = io::realSystemCalls());

}  // namespace brondel
