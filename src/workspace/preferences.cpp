// QSettings access for the user's preferences.
#include "workspace/preferences.h"

#include <QSettings>

#include <algorithm>

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

TimeDisplay timeDisplay() { return parseTimeDisplay(read("timeDisplay")).value_or(TimeDisplay::timecode); }
void setTimeDisplay(TimeDisplay display) { store("timeDisplay", std::string(timeDisplayName(display))); }

int volume() {
    bool known = false;
    const int percent = QSettings("Marrowick", "Marrowick").value("volume").toInt(&known);
    return known ? std::clamp(percent, 0, 100) : 80;
}
void setVolume(int percent) { QSettings("Marrowick", "Marrowick").setValue("volume", std::clamp(percent, 0, 100)); }

bool muted() { return QSettings("Marrowick", "Marrowick").value("muted").toBool(); }
void setMuted(bool muted) { QSettings("Marrowick", "Marrowick").setValue("muted", muted); }

bool compactRows() { return QSettings("Marrowick", "Marrowick").value("compactRows").toBool(); }
void setCompactRows(bool compact) { QSettings("Marrowick", "Marrowick").setValue("compactRows", compact); }

}  // namespace marrowick::Preferences
