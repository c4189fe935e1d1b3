// The build-kind query, the refused export self-test, the assistant smoke test and the version.
#include "app/program_switches.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>

#include "app/assistant_self_test.h"
#include "app/program_version.h"
#include "model/blob.h"
#include "model/uuid.h"
#include "model/review_error.h"

namespace marrowick::ProgramSwitches {
namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsageStatus = 64;

Blob readFixture(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ReviewError("Cannot read " + path + ": " + std::strerror(errno));
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw ReviewError("Cannot read " + path + ": " + std::strerror(errno));
    return makeBlob(std::move(bytes));
}

// A shot of no project: random identity, one second long, the fixture as its thumbnail.
Shot fixtureShot(Blob thumbnail) {
    Shot shot;
    shot.id = Uuid::random();
    shot.filmID = Uuid::random();
    shot.start = 0;
    shot.end = 1.0;
    shot.boundaryScore = 1.0;
    shot.thumbnail = std::move(thumbnail);
    return shot;
}

int assistantSelfTest(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const auto switchAt = std::find(arguments.begin(), arguments.end(), "--assistant-self-test");
    try {
        if (std::next(switchAt) == arguments.end()) throw ReviewError("Pass a JPEG fixture path");
        const std::string description = AssistantSelfTest::describe(fixtureShot(readFixture(*std::next(switchAt))));
        AssistantSelfTest::stopRuntime();
        out << "LOCAL_ASSISTANT_PASS: " << description << "\n";
        return kSuccess;
    } catch (const std::exception& failure) {
        AssistantSelfTest::stopRuntime();
        err << "ASSISTANT TEST FAILED: " << failure.what() << "\n";
        return kFailure;
    }
}

bool has(const std::vector<std::string>& arguments, const char* name) {
    return std::find(arguments.begin(), arguments.end(), name) != arguments.end();
}

}  // namespace

std::optional<int> run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (has(arguments, "--assistant-self-test")) return assistantSelfTest(arguments, out, err);
    if (has(arguments, "--build-kind")) {
        out << "production\n";
        return kSuccess;
    }
    if (has(arguments, "--self-test")) {
        err << "Export self-tests require a separate validation build.\n";
        return kUsageStatus;
    }
    if (has(arguments, "--version")) {
        ProgramVersion::print(out);
        return kSuccess;
    }
    return std::nullopt;
}

}  // namespace marrowick::ProgramSwitches
