#include "controls.h"

namespace vurp {

// Replaced with the full texts by the window work.
const std::string RulesText = "";
const std::string AboutText = "";

} // namespace vurp
