// A horizontal slider over a decimal range in fixed steps, with its value shown beside it.
#pragma once

#include <functional>

#include <QWidget>

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
    QSlider& slider() { return *slider_; }

signals:
    // The user moved the handle to this value.
    void moved(double value);

private:
    double minimum_;
    double step_;
    Format format_;
    QSlider* slider_;
    QLabel* value_;
};

}  // namespace marrowick
