// Timestamps as seconds since 2001-01-01T00:00:00 UTC, the project file's time base.
#pragma once

#include <string>

namespace marrowick {

inline constexpr double kReferenceDateUnixSeconds = 978307200.0;

double referenceDateNow();

// ISO 8601 UTC text ("2026-12-09T05:46:37Z") of a reference-date timestamp.
std::string iso8601Utc(double referenceSeconds);

}  // namespace marrowick
