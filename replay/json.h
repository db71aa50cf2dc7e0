// The driver's JSON output: strings and the snapshot of one `dump`.
#pragma once

#include <string>
#include <string_view>

#include "recording_view.h"
#include "table.h"

namespace vurp {

// `text` as a quoted JSON string: '"', '\' and control characters escaped,
// UTF-8 passed through unchanged. Bytes that are not well-formed UTF-8 become
// U+FFFD, so the result is always valid JSON.
std::string JsonString(std::string_view text);

// One line {"state":{...},"controls":{...}}: the window-level variables and
// every control and array element, in the order of the control table.
std::string Snapshot(const Table &table, const RecordingView &view);

} // namespace vurp
