// The message of the ReviewError a piece of work raises, for tests that compare exact texts.
#pragma once

#include <string>

#include "model/review_error.h"

namespace marrowick::testing {

// The raised ReviewError's message, or "" when the work ends without one. Any other exception
// passes through and fails the test.
template <class Work>
std::string raisedMessage(Work&& work) {
    try {
        work();
    } catch (const ReviewError& error) {
        return error.message();
    }
    return {};
}

}  // namespace marrowick::testing
