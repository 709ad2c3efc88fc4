// The conversion written the slow, literal way with formatted stream
// extraction: the reference the fast conversion is checked against.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "stack/stack_format.h"

namespace brondel::model {

enum class ModelStatus { Complete, IncompleteHeader };

// Converts the ASCII stack on `in` to the binary stack on `out`.
ModelStatus convertLiterally(std::istream& in, std::ostream& out, Format format);

struct ModelResult {
  std::string bytes;
  ModelStatus status;
};

// The same on bytes in memory.
ModelResult convertLiterally(std::string_view ascii, Format format);

// The same from one file to another, through std::ifstream and std::ofstream.
ModelStatus convertFileLiterally(const std::string& inputPath, const std::string& outputPath, Format format);

}  // namespace brondel::model
