// The output bar follows the preset list and the preview's presentation flags.
#include "ui/output_bar.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/delivery_setup.h"
#include "workspace/preview_output.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

constexpr int kPickerMaximumWidth = 330;

}  // namespace

OutputBar::OutputBar(ReviewDocument& review, QWidget* parent) : QWidget(parent), review_(review) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 7, 14, 7);
    row->setSpacing(10);
    row->addWidget(WidgetFactory::label(QStringLiteral("Output"), Theme::font(10), Theme::kSecondaryText, this));
    output_ = new QComboBox(this);
    output_->setFont(Theme::font(10));
    output_->setMaximumWidth(kPickerMaximumWidth);
    output_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    output_->setAccessibleName(QStringLiteral("Output"));
    row->addWidget(output_, 1);
    safeZones_ = new QCheckBox(QStringLiteral("Safe zones"), this);
    safeZones_->setFont(Theme::font(10));
    row->addWidget(safeZones_);
    position_ = WidgetFactory::button(QStringLiteral("Position\u2026"), {}, "small", this);
    position_->setFont(Theme::font(10));
    row->addWidget(position_);
    row->addStretch(1);

    connect(output_, &QComboBox::activated, this, &OutputBar::choose);
    connect(safeZones_, &QCheckBox::toggled, this, [this](bool on) {
        PresentationState presentation = review_.presentation();
        presentation.showSafeZones = on;
        review_.setPresentation(presentation);
    });
    connect(position_, &QPushButton::clicked, this, [this] {
        PresentationState presentation = review_.presentation();
        presentation.editLabelLayout = !presentation.editLabelLayout;
        presentation.showSafeZones = true;
        review_.setPresentation(presentation);
    });
    connect(&review_.deliverySetup(), &DeliverySetup::presetsChanged, this, &OutputBar::refreshPresets);
    connect(&review_, &ReviewDocument::presentationChanged, this, &OutputBar::refreshPresentation);
    refreshPresets();
}

void OutputBar::refreshPresets() {
    const QSignalBlocker blocker(output_);
    output_->clear();
    output_->addItem(QStringLiteral("Source \u00b7 native MOV"), QString());
    for (const DeliveryPreset& preset : PreviewOutput::choices(review_.deliverySetup().presets()))
        output_->addItem(QString::fromStdString(preset.name), QString::fromStdString(preset.key));
    refreshPresentation();
}

void OutputBar::refreshPresentation() {
    const PresentationState& presentation = review_.presentation();
    const QSignalBlocker outputBlocker(output_);
    const QSignalBlocker zonesBlocker(safeZones_);
    output_->setCurrentIndex(std::max(0, output_->findData(QString::fromStdString(presentation.previewPresetKey))));
    safeZones_->setChecked(presentation.showSafeZones);
    position_->setProperty("prominent", presentation.editLabelLayout);
    position_->style()->polish(position_);
}

void OutputBar::choose(int index) {
    PresentationState presentation = review_.presentation();
    presentation.previewPresetKey = output_->itemData(index).toString().toStdString();
    review_.setPresentation(presentation);
}

}  // namespace marrowick
