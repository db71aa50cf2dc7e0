// What the fuzz targets share: stopping with a message when a property of
// the game does not hold.
#pragma once

#include <string>

namespace vurp::fuzz {

// What to print beside a broken property, such as the script that led there.
void SetContext(std::string context);

// Aborts, which libFuzzer reports with the input, when `holds` is false.
void Require(bool holds, const char *property);

} // namespace vurp::fuzz
