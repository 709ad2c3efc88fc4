#include "format_option.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace brondel {
namespace {

struct OptionCase {
  std::optional<std::string_view> option;
  Format expected;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
  *os << (c.option ? '"' + std::string(*c.option) + '"' : std::string("(none)"));
}

class FormatOptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(FormatOptionTest, DecodesThirdArgument) {
  EXPECT_EQ(decodeFormatOption(GetParam().option), GetParam().expected)
      << "option: " << GetParam().option.value_or("(none)");
}

INSTANTIATE_TEST_SUITE_P(DecodingTable, FormatOptionTest,
                         testing::Values(OptionCase{std::nullopt, Format::Double}, OptionCase{"", Format::Double},
                                         OptionCase{"-f:s", Format::Single}, OptionCase{"-f:d", Format::Double},
                                         OptionCase{"-f:t", Format::Text}, OptionCase{"-f:", Format::Text},
                                         OptionCase{"-f:single", Format::Single}, OptionCase{"-f:ss", Format::Single},
                                         OptionCase{"-f:S", Format::Text}, OptionCase{"-F:s", Format::Double},
                                         OptionCase{"s", Format::Double}, OptionCase{"-f", Format::Double},
                                         OptionCase{"abc-f:s", Format::Single},
                                         // The first colon of the argument decides, not the one of "-f:".
                                         OptionCase{"x:d-f:s", Format::Double}, OptionCase{"a:-f:s", Format::Text}));

}  // namespace
}  // namespace brondel
