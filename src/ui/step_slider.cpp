// Step arithmetic and layout of the decimal slider.
#include "ui/step_slider.h"

#include <cmath>

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {

StepSlider::StepSlider(double minimum, double maximum, double step, Format format, QWidget* parent)
    : QWidget(parent), minimum_(minimum), step_(step), format_(std::move(format)) {
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(0, static_cast<int>(std::lround((maximum - minimum) / step)));
    value_ = WidgetFactory::label({}, Theme::font(12, QFont::Normal, true), Theme::kSecondaryText, this);
    value_->setMinimumWidth(44);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(slider_, 1);
    line->addWidget(value_);
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
        const double value = minimum_ + position * step_;
        value_->setText(format_(value));
        emit moved(value);
    });
}

void StepSlider::display(double value) {
    const QSignalBlocker blocker(slider_);
    slider_->setValue(static_cast<int>(std::lround((value - minimum_) / step_)));
    value_->setText(format_(value));
}

QString StepSlider::valueText() const { return value_->text(); }

}  // namespace marrowick
