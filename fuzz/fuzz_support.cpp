#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vurp::fuzz {

namespace {
std::string &Context() {
    static std::string context;
    return context;
}
} // namespace

void SetContext(std::string context) {
    Context() = std::move(context);
}

void Require(bool holds, const char *property) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "property broken: %s\n", property);
    if (!Context().empty()) {
        std::fprintf(stderr, "----\n%s----\n", Context().c_str());
    }
    std::abort();
}

} // namespace vurp::fuzz
