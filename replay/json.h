// The driver's JSON output: strings, the snapshot of one `dump` and the line
// of one event.
#pragma once

#include <string>
#include <string_view>

#include "events.h"
#include "recording_view.h"
#include "table.h"

namespace vurp {

// `text` as a quoted JSON string: '"', '\' and control characters escaped,
// UTF-8 passed through unchanged. Bytes that are not well-formed UTF-8 become
// U+FFFD, so the result is always valid JSON.
std::string JsonString(std::string_view text);
// Appends JsonString(text) to `out`.
void AppendJsonString(std::string &out, std::string_view text);

// One line {"state":{...},"controls":{...}}: the window-level variables and
// every control and array element, in the order of the control table.
std::string Snapshot(const Table &table, const RecordingView &view);

// One line {"event":KIND,...} with the keys of that kind of event, in a fixed
// order (docs/replay-format.md lists them).
std::string EventLine(const GameEvent &event);

} // namespace vurp
