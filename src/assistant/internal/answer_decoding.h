// Decoding of the model server's answers: the JSON decoder's own error is what the reviewer
// reads when an answer is not of the expected shape, passed on unchanged as a ReviewError.
#pragma once

#include <nlohmann/json.hpp>

#include "model/review_error.h"

namespace marrowick {

template <class Decode>
auto decodingAnswer(Decode&& decode) -> decltype(decode()) {
    try {
        return decode();
    } catch (const nlohmann::json::exception& error) {
        throw ReviewError(error.what());
    }
}

}  // namespace marrowick
