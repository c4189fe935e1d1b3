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
    slider_->setRange(0, positionOf(maximum));
    value_ = WidgetFactory::label({}, Theme::font(12, QFont::Normal, true), Theme::kSecondaryText, this);
    value_->setMinimumWidth(44);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(slider_, 1);
    line->addWidget(value_);
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
        const double value = valueAt(position);
        value_->setText(format_(value));
        emit moved(value);
    });
    // Without tracking the value arrives on release; the text follows the handle meanwhile.
    connect(slider_, &QSlider::sliderMoved, this,
            [this](int position) { value_->setText(format_(valueAt(position))); });
}

void StepSlider::display(double value) {
    const QSignalBlocker blocker(slider_);
    slider_->setValue(positionOf(value));
    value_->setText(format_(value));
}

QString StepSlider::valueText() const { return value_->text(); }

QHBoxLayout* StepSlider::titledRow(const QString& title, int titleWidth) {
    QHBoxLayout* row = WidgetFactory::titledRow(title, titleWidth, this, parentWidget());
    row->setSpacing(6);
    return row;
}

QString StepSlider::percent(double value) { return QString::number(std::lround(value * 100)) + QStringLiteral("%"); }

void StepSlider::setMaximum(double maximum) {
    const QSignalBlocker blocker(slider_);
    slider_->setMaximum(positionOf(maximum));
}

double StepSlider::maximum() const { return valueAt(slider_->maximum()); }

int StepSlider::positionOf(double value) const { return static_cast<int>(std::lround((value - minimum_) / step_)); }

}  // namespace marrowick
