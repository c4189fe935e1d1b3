// A horizontal slider over a decimal range in fixed steps, with its value shown beside it.
#pragma once

#include <functional>

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QSlider;

namespace marrowick {

class StepSlider : public QWidget {
    Q_OBJECT

public:
    using Format = std::function<QString(double)>;

    StepSlider(double minimum, double maximum, double step, Format format, QWidget* parent = nullptr);

    // Shows a stored value (the handle at its nearest step) without announcing a change.
    void display(double value);
    QString valueText() const;
    // A row of `title`, `titleWidth` pixels wide, and this slider.
    QHBoxLayout* titledRow(const QString& title, int titleWidth);
    // A fraction as a whole percentage: round(value x 100) and "%".
    static QString percent(double value);
    // Moves the upper end of the range (the handle stays within it).
    void setMaximum(double maximum);
    double maximum() const;
    QSlider& slider() { return *slider_; }

signals:
    // The user moved the handle to this value.
    void moved(double value);

private:
    // The value at a handle position, and the position nearest to a value.
    double valueAt(int position) const { return minimum_ + position * step_; }
    int positionOf(double value) const;

    double minimum_;
    double step_;
    Format format_;
    QSlider* slider_;
    QLabel* value_;
};

}  // namespace marrowick
