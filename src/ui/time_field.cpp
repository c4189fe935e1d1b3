// Showing a film time in the chosen display and reading any of the three typed forms back.
#include "ui/time_field.h"

#include <QLocale>

#include "ui/theme.h"

namespace marrowick {

TimeField::TimeField(const QString& placeholder, QWidget* parent) : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    setFont(Theme::font(11, QFont::Normal, true));
    connect(this, &QLineEdit::editingFinished, this, &TimeField::commit);
    setValue(0);
}

QString TimeField::secondsText(double seconds) { return QLocale().toString(seconds, 'f', 6); }

QString TimeField::format(double seconds) const {
    if (!film_ || display_ == TimeDisplay::seconds) return secondsText(seconds);
    return QString::fromStdString(FilmTime::text(*film_, seconds, display_));
}

void TimeField::setValue(double seconds) {
    value_ = seconds;
    setText(format(seconds));
}

void TimeField::setCounting(std::optional<Film> film, TimeDisplay display) {
    const bool sameFilm = film_.has_value() == film.has_value() && (!film || film_->id == film->id);
    if (sameFilm && display == display_) return;
    if (sameFilm) commit();
    film_ = std::move(film);
    display_ = display;
    setValue(value_);
}

std::optional<double> TimeField::parse(const QString& typed) const {
    bool parsed = false;
    const double seconds = QLocale().toDouble(typed, &parsed);
    if (parsed) return seconds;
    if (!film_) return std::nullopt;
    return FilmTime::parse(*film_, typed.toStdString());
}

void TimeField::commit() {
    const QString typed = text().trimmed();
    // The shown text of the value stands for the value itself, which may lie between frames.
    if (typed == format(value_)) return setValue(value_);
    setValue(parse(typed).value_or(value_));
}

}  // namespace marrowick
