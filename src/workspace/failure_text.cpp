#include "workspace/failure_text.h"

#include <QtGlobal>

#include "model/review_error.h"

namespace marrowick {

std::string failureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const ReviewError& error) {
        return error.message();
    } catch (const std::exception& error) {
        qWarning("Unexpected failure: %s", error.what());
    } catch (...) {
        qWarning("Unexpected failure of an unknown kind");
    }
    return kUnexpectedFailure;
}

}  // namespace marrowick
