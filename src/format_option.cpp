#include "format_option.h"

namespace brondel {

Format decodeFormatOption(std::optional<std::string_view> option) {
  if (!option || option->find("-f:") == std::string_view::npos) return Format::Double;
  // The first colon of the whole argument, which is the colon of "-f:"
  // only when no other colon stands before it.
  const std::string_view rest = option->substr(option->find(':') + 1);
  if (rest.empty()) return Format::Text;
  switch (rest.front()) {
    case 's': return Format::Single;
    case 'd': return Format::Double;
    default: return Format::Text;
  }
}

}  // namespace brondel
