// The layout editor's rows and how they follow the previewed output.
#include "ui/label_layout_controls.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "disclosure/label_geometry.h"
#include "ui/layout_guide_controls.h"
#include "ui/step_slider.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr double kPositionStep = 0.005;
constexpr const char* kCornerArrows[][2] = {
    {"\u2196", "Top left"}, {"\u2197", "Top right"}, {"\u2199", "Bottom left"}, {"\u2198", "Bottom right"}};

}  // namespace

LabelLayoutControls::LabelLayoutControls(ReviewStore& store, QWidget* parent)
    : InspectorSection(store, QStringLiteral("Label position"), parent), store_(store) {
    output_ = caption({}, 11);
    column()->addWidget(output_);

    scopeRow_ = new QWidget(this);
    scopePicker_ = new QComboBox(scopeRow_);
    scopePicker_->setAccessibleName(QStringLiteral("Save for"));
    scopePicker_->setFont(Theme::font(11));
    QHBoxLayout* scopeLine =
        WidgetFactory::titledRow(QStringLiteral("Save for"), LayoutGuideControls::kTitleWidth, scopePicker_, scopeRow_);
    scopeLine->setContentsMargins(0, 0, 0, 0);
    scopeRow_->setLayout(scopeLine);
    connect(scopePicker_, &QComboBox::activated, this,
            [this](int index) { setScope(scopePicker_->itemData(index).toString().toStdString()); });
    column()->addWidget(scopeRow_);
    overrideNote_ = WidgetFactory::label(
        QStringLiteral("This preset has its own override. Reset that override to use the aspect-ratio layout."),
        Theme::font(10), Theme::kAccent, this);
    overrideNote_->setWordWrap(true);
    column()->addWidget(overrideNote_);
    aspectNote_ = caption({}, 10);
    column()->addWidget(aspectNote_);

    width_ = positionSlider(QStringLiteral("Width"), 0.08, 0.4, [](double v) -> LabelLayoutChange { return LayoutChange::WidthFraction{v}; });
    horizontal_ = positionSlider(QStringLiteral("Horizontal"), 0, 1, [](double v) -> LabelLayoutChange { return LayoutChange::X{v}; });
    vertical_ = positionSlider(QStringLiteral("Vertical"), 0, 1, [](double v) -> LabelLayoutChange { return LayoutChange::Y{v}; });
    column()->addWidget(caption(QStringLiteral("Position runs from left/top (0%) to right/bottom (100%). Width and position "
                                               "are saved in the review project."),
                                10));

    guide_ = new LayoutGuideControls(store_.layouts(), [this](const LabelLayoutChange& choice) { change(choice); }, this);
    column()->addWidget(guide_);
    fit_ = fitMenu();
    column()->addWidget(fit_);
    column()->addWidget(caption(
        QStringLiteral("Guides are preview-only. Changing the guide does not move the label; use Fit or adjust position."), 10));
    reset_ = WidgetFactory::button(QStringLiteral("Reset this layout"), {}, "small", this);
    connect(reset_, &QPushButton::clicked, this, [this] {
        if (const std::optional<std::string> key = editedKey()) store_.resetLayout(*key);
    });
    column()->addWidget(reset_);

    for (auto signal : {&ReviewStore::projectChanged, &ReviewStore::selectionChanged, &ReviewStore::presentationChanged,
                        &ReviewStore::activityChanged})
        connect(&store_, signal, this, &LabelLayoutControls::refresh);
    connect(&store_.deliverySetup(), &DeliverySetup::presetsChanged, this, &LabelLayoutControls::refresh);
    refresh();
}

StepSlider* LabelLayoutControls::positionSlider(const QString& title, double minimum, double maximum,
                                                LabelLayoutChange (*make)(double)) {
    auto* slider = new StepSlider(minimum, maximum, kPositionStep, &StepSlider::percent, this);
    slider->setAccessibleName(title);
    // A drag of the handle is one edit, made when it is let go.
    slider->slider().setTracking(false);
    column()->addLayout(slider->titledRow(title, LayoutGuideControls::kTitleWidth));
    connect(slider, &StepSlider::moved, this, [this, make](double value) { change(make(value)); });
    return slider;
}

QPushButton* LabelLayoutControls::fitMenu() {
    QPushButton* button = WidgetFactory::button(QStringLiteral("Fit in guide"), {}, "small", this);
    auto* menu = new QMenu(button);
    for (const auto& [arrow, corner] : kCornerArrows) {
        QAction* action = menu->addAction(QString::fromUtf8(arrow) + QStringLiteral("  ") + QString::fromLatin1(corner));
        connect(action, &QAction::triggered, this, [this, corner = std::string(corner)] {
            if (const std::optional<std::string> key = editedKey()) store_.fitInGuide(*key, corner);
        });
    }
    button->setMenu(menu);
    return button;
}

void LabelLayoutControls::present(const Shot&) { refresh(); }

void LabelLayoutControls::setScope(std::string scope) {
    scope_ = std::move(scope);
    refresh();
    emit scopeChanged();
}

std::optional<std::string> LabelLayoutControls::editedKey() const { return store_.layouts().layoutKey(scope_ == "preset"); }

void LabelLayoutControls::change(const LabelLayoutChange& change) {
    if (const std::optional<std::string> key = editedKey()) store_.changeLayout(*key, change);
}

void LabelLayoutControls::refresh() {
    const std::optional<LayoutOutput> output = store_.layouts().layoutOutput();
    const std::optional<std::string> key = editedKey();
    setEnabled(output.has_value());
    if (!output || !key) return;
    const QString ratio = QString::fromStdString(LabelGeometry::aspect(output->width, output->height));
    const std::optional<DeliveryPreset> preset = store_.layouts().previewPreset();
    output_->setText((preset ? QString::fromStdString(preset->name) : QStringLiteral("Source / native MOV")) +
                     QStringLiteral(" \u00b7 ") + ratio);

    scopeRow_->setVisible(preset.has_value());
    {
        const QSignalBlocker blocker(scopePicker_);
        scopePicker_->clear();
        scopePicker_->addItem(QStringLiteral("This preset + ratio"), QStringLiteral("preset"));
        scopePicker_->addItem(ratio + QStringLiteral(" outputs"), QStringLiteral("aspect"));
        scopePicker_->setCurrentIndex(scope_ == "preset" ? 0 : 1);
    }
    const auto& layouts = store_.project().labelLayouts;
    const bool presetOverride =
        preset && layouts && layouts->contains(LabelGeometry::key(preset->key, output->width, output->height));
    overrideNote_->setVisible(preset && scope_ == "aspect" && presetOverride);
    aspectNote_->setVisible(!preset);
    aspectNote_->setText(QStringLiteral("Saves for all ") + ratio + QStringLiteral(" outputs without a preset override."));

    const LabelLayout layout = *store_.layouts().shownLayout(*key);
    width_->display(layout.widthFraction);
    horizontal_->display(layout.x);
    vertical_->display(layout.y);
    guide_->present(*key, layout, *output, !store_.busy());
    for (QWidget* control : std::initializer_list<QWidget*>{width_, horizontal_, vertical_, scopePicker_, fit_})
        control->setEnabled(!store_.busy());
    reset_->setEnabled(!store_.busy() && layouts && layouts->contains(*key));
}

}  // namespace marrowick
