// The script reader on any bytes: every run ends done or with one line
// naming a bad line of the script, never with a failure of the game, and all
// it prints is UTF-8, one JSON object a line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "script.h"
#include "utf8.h"

namespace {

using vurp::fuzz::Require;

bool IsObjectLine(std::string_view line) {
    return (line.starts_with("{\"state\":{") || line.starts_with("{\"refused\":\"")) &&
           line.ends_with("}");
}

// The line number of "line N: ...", or 0 when the message has another form.
std::size_t BadLineNumber(std::string_view message) {
    constexpr std::string_view kPrefix = "line ";
    if (!message.starts_with(kPrefix)) {
        return 0;
    }
    std::size_t number = 0;
    std::size_t pos = kPrefix.size();
    for (; pos < message.size() && message[pos] >= '0' && message[pos] <= '9'; ++pos) {
        number = number * 10 + static_cast<std::size_t>(message[pos] - '0');
    }
    return message.substr(pos).starts_with(": ") ? number : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string script(reinterpret_cast<const char *>(data), size);
    std::istringstream in(script);
    std::ostringstream out, err;
    const int status = vurp::RunScript(in, out, err);
    const std::string printed = out.str();
    const std::string message = err.str();

    Require(status == vurp::kReplayDone || status == vurp::kReplayMalformed,
            "no script makes the game fail");
    if (status == vurp::kReplayDone) {
        Require(message.empty(), "a whole run says nothing on stderr");
    } else {
        const auto lines = static_cast<std::size_t>(std::count(script.begin(), script.end(), '\n'));
        const std::size_t bad = BadLineNumber(message);
        Require(bad >= 1 && bad <= lines + 1, "the error names a line of the script");
        Require(message.find('\n') == message.size() - 1, "the error is one line");
        Require(vurp::IsValidUtf8(message), "the error is UTF-8");
    }
    Require(vurp::IsValidUtf8(printed), "the output is UTF-8");
    Require(printed.empty() || printed.back() == '\n', "the output ends with its last line");
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);) {
        Require(IsObjectLine(line), "each output line is a snapshot or a refusal");
    }
    return 0;
}
