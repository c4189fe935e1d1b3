// A field for a time of a film: shown as timecode, a frame number or seconds (six decimals in the
// user's locale), as the time display says; any of the three forms may be typed.
#pragma once

#include <optional>

#include <QLineEdit>

#include "model/film_time.h"

namespace marrowick {

// Text that does not parse leaves the value as it was and shows it again.
class TimeField : public QLineEdit {
    Q_OBJECT

public:
    explicit TimeField(const QString& placeholder, QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double seconds);
    // The film whose frames and timecode the text counts, and how the value is shown. A change
    // takes what was typed under the old counting first, then shows the value the new way.
    void setCounting(std::optional<Film> film, TimeDisplay display);
    // Takes the typed text as the value when it parses; otherwise shows the value again.
    void commit();

    QString format(double seconds) const;
    // Seconds with six decimals in the user's locale.
    static QString secondsText(double seconds);

private:
    std::optional<double> parse(const QString& typed) const;

    double value_ = 0;
    std::optional<Film> film_;
    TimeDisplay display_ = TimeDisplay::seconds;
};

}  // namespace marrowick
