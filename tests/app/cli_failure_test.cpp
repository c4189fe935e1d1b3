// marrowick-cli's one failure funnel: what each kind of failure prints and the status it ends with.
#include "app/cli_failure.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "model/review_error.h"

namespace marrowick::cli {
namespace {

int succeeds(std::span<const std::string>) { return 0; }
int refusesUsage(std::span<const std::string>) { return 64; }
int raisesReviewError(std::span<const std::string>) { throw ReviewError("The folder \"out\" does not exist."); }
int raisesLibraryError(std::span<const std::string>) { throw std::out_of_range("basic_string::substr"); }
int raisesUnknown(std::span<const std::string>) { throw 7; }
int namesItsArgument(std::span<const std::string> arguments) { throw ReviewError("got " + arguments.front()); }

struct FunnelCase {
    const char* name;
    int (*run)(std::span<const std::string>);
    int status;
    std::string err;
};

TEST(CliFailure, EachKindOfEndingHasItsStatusAndWords) {
    const std::string unexpected = std::string(kUnexpectedFailure) + "\nmarrowick-cli: unexpected failure: ";
    const std::vector<FunnelCase> cases = {
        {"success passes through", succeeds, 0, ""},
        {"the command's own status passes through", refusesUsage, 64, ""},
        {"a ReviewError is the reader's text", raisesReviewError, kFailed, "The folder \"out\" does not exist.\n"},
        {"the arguments reach the command", namesItsArgument, kFailed, "got film.mov\n"},
        {"a library's exception is a fault, its text a diagnostic", raisesLibraryError, kSoftware,
         unexpected + "basic_string::substr\n"},
        {"anything else thrown is a fault too", raisesUnknown, kSoftware,
         unexpected + "an exception of an unknown kind\n"},
    };
    const std::vector<std::string> arguments{"film.mov"};
    for (const FunnelCase& test : cases) {
        SCOPED_TRACE(test.name);
        std::ostringstream err;
        EXPECT_EQ(runReportingFailures(Command{"test", "test", "", test.run}, arguments, err), test.status);
        EXPECT_EQ(err.str(), test.err);
    }
}

}  // namespace
}  // namespace marrowick::cli
