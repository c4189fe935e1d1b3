// Expectations shared by the cut list reader tests.
#pragma once

#include <gmock/gmock.h>

#include <string>

#include "interchange/cut_list.h"

namespace marrowick::testing {

// A cut event with these record times (within a microsecond) and kind.
MATCHER_P3(EventIs, in, out, kind, "") {
    return std::abs(arg.recordIn - in) < 1e-6 && std::abs(arg.recordOut - out) < 1e-6 && arg.kind == kind;
}

// Runs a reader and returns the ReviewError message it throws, or "" when it throws none.
template <typename Read>
std::string failureOf(Read read) {
    try {
        read();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

}  // namespace marrowick::testing
