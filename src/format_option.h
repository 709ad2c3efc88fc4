// Decoding of the optional third argument into the output format.
#pragma once

#include <optional>
#include <string_view>

#include "stack/stack_format.h"

namespace brondel {

// No option, or one without "-f:", means Double. Otherwise the first
// character after the option's first colon decides: 's' Single, 'd'
// Double, anything else (or nothing) Text.
Format decodeFormatOption(std::optional<std::string_view> option);

}  // namespace brondel
