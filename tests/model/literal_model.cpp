#include "literal_model.h"

#include <fstream>
#include <locale>
#include <sstream>

namespace brondel::model {
namespace {

template <class T>
void writeRaw(std::ostream& out, const T& number) {
  out.write(reinterpret_cast<const char*>(&number), sizeof number);
}

template <class T>
ModelStatus convertAs(std::istream& in, std::ostream& out) {
  in.imbue(std::locale::classic());
  std::string keyword;
  T holder = 0;  // a header with no number at all is twelve zeros
  bool headerWhole = true;
  for (int entry = 0; entry < kHeaderEntries; ++entry) {
    if (!(in >> keyword)) headerWhole = false;
    if (!(in >> holder)) headerWhole = false;
    writeRaw(out, holder);
  }
  // Written whenever the extraction succeeded, so a last value that ends
  // exactly at the end of the input is kept.
  T value;
  while (in >> value) writeRaw(out, value);
  return headerWhole ? ModelStatus::Complete : ModelStatus::IncompleteHeader;
}

}  // namespace

ModelStatus convertLiterally(std::istream& in, std::ostream& out, Format format) {
  switch (format) {
    case Format::Single: return convertAs<float>(in, out);
    case Format::Double: return convertAs<double>(in, out);
    case Format::Text: break;
  }
  return ModelStatus::Complete;
}

ModelResult convertLiterally(std::string_view ascii, Format format) {
  std::istringstream in{std::string(ascii)};
  std::ostringstream out;
  const ModelStatus status = convertLiterally(in, out, format);
  return {std::move(out).str(), status};
}

ModelStatus convertFileLiterally(const std::string& inputPath, const std::string& outputPath, Format format) {
  std::ifstream in(inputPath);
  std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
  return convertLiterally(in, out, format);
}

}  // namespace brondel::model
