// brondel-model: the literal reference conversion as a program, for timing
// it against brondel on the same files.
#include <cstdio>
#include <string_view>

#include "format_option.h"
#include "literal_model.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: brondel-model <input> <output> [-f:s|d]\n");
    return 1;
  }
  const brondel::Format format =
      brondel::decodeFormatOption(argc > 3 ? std::optional<std::string_view>(argv[3]) : std::nullopt);
  const auto status = brondel::model::convertFileLiterally(argv[1], argv[2], format);
  return status == brondel::model::ModelStatus::Complete ? 0 : 95;
}
