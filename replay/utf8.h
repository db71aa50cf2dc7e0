// UTF-8 as the driver meets it: script lines are UTF-8, and the stake box
// limits its text by characters, not bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vurp {

// Length in bytes of the well-formed character starting at byte `pos`, or 0
// when the bytes there are not well-formed UTF-8 (a stray continuation byte,
// an overlong form, a surrogate, a truncated sequence).
std::size_t Utf8CharLength(std::string_view text, std::size_t pos);

bool IsValidUtf8(std::string_view text);

// The first `count` characters of `text`. A byte that is not well-formed
// UTF-8 counts as one character, so no character is ever cut in half.
std::string Utf8Prefix(std::string_view text, std::size_t count);

} // namespace vurp
