// The message of the ReviewError a piece of work raises, for tests that compare exact texts.
#pragma once

#include <string>

#include "model/review_error.h"

namespace marrowick {

template <class Work>
std::string failure(Work work) {
    try {
        work();
    } catch (const ReviewError& error) {
        return error.message();
    }
    return "no failure";
}

}  // namespace marrowick
