// Locating, reading back and tidying the recovery file.
#include "workspace/recovery_file.h"

#include <chrono>
#include <exception>
#include <string>
#include <system_error>

#include <QStandardPaths>

#include "model/project_json.h"

namespace marrowick::RecoveryFile {
namespace {

constexpr const char* kFileName = "recovery.marrowick";
// Older than any write takes, so a temporary file still being written is never removed.
constexpr auto kAbandonedAfter = std::chrono::minutes(2);

bool isTemporaryOfRecovery(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    const std::string prefix = std::string(".") + kFileName + ".";
    return name.starts_with(prefix) && name.ends_with(".tmp");
}

}  // namespace

std::filesystem::path location() {
    const std::filesystem::path folder =
        std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
        "Marrowick";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder / kFileName;
}

std::filesystem::path lockLocation() { return location().replace_filename("recovery.lock"); }

std::optional<Project> recover(const std::set<std::string>& safeZoneProfileIDs) {
    try {
        Project project = ProjectJson::readFileUngated(location());
        project.validated(safeZoneProfileIDs);
        if (project.films.empty()) return std::nullopt;
        return project;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void removeAbandonedTemporaries() {
    const auto now = std::filesystem::file_time_type::clock::now();
    try {
        for (const auto& entry : std::filesystem::directory_iterator(location().parent_path())) {
            if (!isTemporaryOfRecovery(entry.path())) continue;
            std::error_code error;
            const auto written = entry.last_write_time(error);
            if (!error && now - written > kAbandonedAfter) std::filesystem::remove(entry.path(), error);
        }
    } catch (const std::filesystem::filesystem_error&) {
        // An unreadable folder only means nothing is tidied this time.
    }
}

}  // namespace marrowick::RecoveryFile
