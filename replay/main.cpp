// vurp-replay SCRIPT, or vurp-replay - to read the script from standard input;
// --events before either prints the game's events too.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "script.h"

namespace {

// The run's status, with the one line that says why the output failed.
int Finish(int status) {
    if (status == vurp::kReplayOutputFailed) {
        const int error = errno;
        std::cerr << "vurp-replay: cannot write the output: "
                  << (error != 0 ? std::strerror(error) : "the stream failed") << '\n';
    }
    return status;
}

} // namespace

int main(int argc, char **argv) {
    vurp::ReplayOptions options;
    // The option alone names no script: a script of that name is ./--events.
    const bool eventsAsked = argc >= 2 && std::string_view(argv[1]) == "--events";
    if (argc != (eventsAsked ? 3 : 2)) {
        std::cerr << "usage: vurp-replay SCRIPT   (or: vurp-replay - < SCRIPT; "
                     "--events before either prints the events too)\n";
        return vurp::kReplayMalformed;
    }
    options.events = eventsAsked;
    const std::string path = argv[argc - 1];
    if (path == "-") {
        errno = 0;
        return Finish(vurp::RunScript(std::cin, std::cout, std::cerr, options));
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        std::cerr << "vurp-replay: " << path << " is a directory, not a script\n";
        return vurp::kReplayMalformed;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "vurp-replay: cannot open " << path << ": " << std::strerror(errno) << '\n';
        return vurp::kReplayMalformed;
    }
    errno = 0;
    return Finish(vurp::RunScript(file, std::cout, std::cerr, options));
}
