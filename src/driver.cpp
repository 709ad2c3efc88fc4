#include "driver.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

#include "format_option.h"
#include "io/fd_stream.h"
#include "io/unique_fd.h"
#include "stack/convert_stack.h"

namespace brondel {
namespace {

constexpr std::string_view kUsage[] = {
    "converting stacks in ascii format into stacks in binary format for Tarkel",
    "usage: Brondel <input stack in ascii format> <output stack in binary format> [-f:s|d]",
    "-f:s|d output format. t=text (with double precision, this is default), s=single precision, d=double "
    "precision",
};

void printLine(std::ostream& stream, std::string_view first, std::string_view second = {},
               std::string_view third = {}) {
  stream << first << second << third << std::endl;
}

// Opens the input for reading. A directory opens under POSIX but cannot be
// read as a stack, so it counts as an input that cannot be opened.
io::UniqueFd openInput(const std::string& name, struct stat& info) {
  io::UniqueFd fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return fd;
  if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode)) return io::UniqueFd();
  return fd;
}

// True when `name` is an existing regular file that is the input itself
// (same device and inode, whatever path or link leads to it). Truncating
// it would destroy the input before a byte of it is read.
bool isSameFileAsInput(const std::string& name, const struct stat& input) {
  struct stat output {};
  return ::stat(name.c_str(), &output) == 0 && S_ISREG(output.st_mode) && output.st_dev == input.st_dev &&
         output.st_ino == input.st_ino;
}

int exitStatusFor(ConversionStatus status) {
  switch (status) {
    case ConversionStatus::Complete: return kExitSuccess;
    case ConversionStatus::IncompleteHeader: return kExitIncompleteHeader;
    case ConversionStatus::ReadError: return kExitReadError;
    case ConversionStatus::WriteError: return kExitWriteError;
  }
  return kExitWriteError;
}

}  // namespace

int runDriver(int argc, const char* const* argv, std::ostream& out, std::ostream& err, const io::SystemCalls& calls) {
  if (argc < 3) {
    for (const std::string_view line : kUsage) printLine(out, line);
    return kExitUsage;
  }
  const std::string inputName = argv[1];
  const std::string outputName = argv[2];
  const Format format = decodeFormatOption(argc > 3 ? std::optional<std::string_view>(argv[3]) : std::nullopt);
  if (format == Format::Text) {
    printLine(err, "output format text is not supported, use -f:s or -f:d");
    return kExitUnsupportedFormat;
  }

  struct stat inputInfo {};
  io::UniqueFd input = openInput(inputName, inputInfo);
  if (!input.valid()) {
    printLine(err, "error opening input file ", inputName);
    return kExitInputOpenError;
  }
  if (isSameFileAsInput(outputName, inputInfo)) {
    printLine(err, "error opening output file ", outputName, " (same file as the input)");
    return kExitOutputOpenError;
  }
  io::UniqueFd output(::open(outputName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!output.valid()) {
    printLine(err, "error opening output file ", outputName);
    return kExitOutputOpenError;
  }

  io::FdSource source(input.get(), calls);
  io::FdSink sink(output.get(), calls);
  const ConversionResult result = convertStack(source, sink, format);
  input.close(calls.close);
  const bool outputClosed = output.close(calls.close);

  ConversionStatus status = result.status;
  if (!outputClosed) status = ConversionStatus::WriteError;
  switch (status) {
    case ConversionStatus::WriteError: printLine(err, "error writing output file ", outputName); break;
    case ConversionStatus::ReadError: printLine(err, "error reading input file ", inputName); break;
    case ConversionStatus::IncompleteHeader: printLine(err, "incomplete header in input file ", inputName); break;
    case ConversionStatus::Complete: break;
  }
  return exitStatusFor(status);
}

}  // namespace brondel
