// vurp-replay SCRIPT, or vurp-replay - to read the script from standard input.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "script.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: vurp-replay SCRIPT   (or: vurp-replay - < SCRIPT)\n";
        return vurp::kReplayMalformed;
    }
    const std::string path = argv[1];
    if (path == "-") {
        return vurp::RunScript(std::cin, std::cout, std::cerr);
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
    return vurp::RunScript(file, std::cout, std::cerr);
}
