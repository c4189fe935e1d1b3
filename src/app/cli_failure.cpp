#include "app/cli_failure.h"

#include <exception>

#include "model/review_error.h"

namespace marrowick::cli {
namespace {

int unexpected(std::ostream& err, const std::string& diagnostic) {
    err << kUnexpectedFailure << "\nmarrowick-cli: unexpected failure: " << diagnostic << "\n";
    return kSoftware;
}

}  // namespace

int runReportingFailures(const Command& command, std::span<const std::string> arguments, std::ostream& err) {
    try {
        return command.run(arguments);
    } catch (const ReviewError& error) {
        err << error.message() << "\n";
        return kFailed;
    } catch (const std::exception& error) {
        return unexpected(err, error.what());
    } catch (...) {
        return unexpected(err, "an exception of an unknown kind");
    }
}

}  // namespace marrowick::cli
