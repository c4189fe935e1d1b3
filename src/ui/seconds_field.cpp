// Locale-aware parsing and display of seconds.
#include "ui/seconds_field.h"

#include <QLocale>

#include "ui/theme.h"

namespace marrowick {

SecondsField::SecondsField(const QString& placeholder, QWidget* parent) : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setAccessibleName(placeholder);
    setFont(Theme::font(11, QFont::Normal, true));
    connect(this, &QLineEdit::editingFinished, this, &SecondsField::commit);
    setValue(0);
}

QString SecondsField::format(double seconds) { return QLocale().toString(seconds, 'f', 6); }

void SecondsField::setValue(double seconds) {
    value_ = seconds;
    setText(format(seconds));
}

void SecondsField::commit() {
    bool parsed = false;
    const double typed = QLocale().toDouble(text().trimmed(), &parsed);
    setValue(parsed ? typed : value_);
}

}  // namespace marrowick
