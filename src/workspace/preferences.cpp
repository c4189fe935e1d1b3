// QSettings access for the two user preferences.
#include "workspace/preferences.h"

#include <QSettings>

namespace marrowick::Preferences {
namespace {

std::string read(const char* key) {
    return QSettings("Marrowick", "Marrowick").value(key).toString().toStdString();
}

void store(const char* key, const std::string& value) {
    QSettings("Marrowick", "Marrowick").setValue(key, QString::fromStdString(value));
}

}  // namespace

std::string localModel() { return read("localModel"); }
void setLocalModel(const std::string& name) { store("localModel", name); }

std::string ffmpegPath() { return read("ffmpegPath"); }
void setFfmpegPath(const std::string& path) { store("ffmpegPath", path); }

std::string reviewerName() { return read("reviewerName"); }
void setReviewerName(const std::string& name) { store("reviewerName", name); }
std::string reviewerRole() { return read("reviewerRole"); }
void setReviewerRole(const std::string& role) { store("reviewerRole", role); }

std::optional<Reviewer> reviewer() {
    Reviewer named{reviewerName(), reviewerRole()};
    if (named.name.empty()) return std::nullopt;
    return named;
}

}  // namespace marrowick::Preferences
