// A field for a time in seconds, shown with six decimals in the user's locale.
#pragma once

#include <QLineEdit>

namespace marrowick {

// Text that does not parse as a number leaves the value as it was and shows it again.
class SecondsField : public QLineEdit {
    Q_OBJECT

public:
    explicit SecondsField(const QString& placeholder, QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double seconds);
    // Takes the typed text as the value when it parses; otherwise shows the value again.
    void commit();

    static QString format(double seconds);

private:
    double value_ = 0;
};

}  // namespace marrowick
