// Doubles to text and back, exactly as std::to_chars and std::from_chars do
// it: the shortest text that reads back as the same double, and the double
// nearest to a decimal text. A standard library without their floating-point
// forms (the one the browser build is compiled with) gets a fallback made of
// snprintf and strtod instead.
#pragma once

#include <charconv>

namespace vurp {

// std::to_chars(first, last, value, format) for the fixed and the
// scientific format, without a precision: the shortest round trip.
std::to_chars_result DoubleToChars(char *first, char *last, double value, std::chars_format format);
// std::from_chars(first, last, value, format) for the general, fixed and
// scientific formats.
std::from_chars_result DoubleFromChars(const char *first, const char *last, double &value,
                                       std::chars_format format = std::chars_format::general);

// The fallback, built everywhere so that it can be compared with the
// standard library's forms wherever those exist. It reads and writes with the
// C locale's decimal point, the only locale where the fallback is used. The
// hex format is not supported: both give std::errc::invalid_argument.
std::to_chars_result FallbackDoubleToChars(char *first, char *last, double value,
                                           std::chars_format format);
std::from_chars_result FallbackDoubleFromChars(const char *first, const char *last, double &value,
                                               std::chars_format format);

} // namespace vurp
