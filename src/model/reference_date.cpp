// Current time and ISO 8601 text on the 2001 reference timeline.
#include "model/reference_date.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace marrowick {

double referenceDateNow() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count() - kReferenceDateUnixSeconds;
}

std::string iso8601Utc(double referenceSeconds) {
    const auto unix = static_cast<std::time_t>(std::floor(referenceSeconds + kReferenceDateUnixSeconds));
    std::tm parts{};
    gmtime_r(&unix, &parts);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return buffer;
}

}  // namespace marrowick
