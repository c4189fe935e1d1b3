// The transport bar drives the controller's player.
#include "ui/transport_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include "disclosure/label_geometry.h"
#include "ui/framing_choice.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/delivery_setup.h"
#include "workspace/preview_output.h"
#include "workspace/review_document.h"
#include "workspace/transport.h"

namespace marrowick {
namespace {

constexpr int kFramingWidth = 160;
constexpr int kVolumeWidth = 72;

QToolButton* transportButton(const QString& symbol, const QString& tooltip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(SymbolIcon::icon(symbol, Theme::kText, 16));
    button->setToolTip(tooltip);
    button->setAccessibleName(tooltip);
    button->setProperty("plain", true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

TransportBar::TransportBar(ReviewDocument& review, QWidget* parent) : QWidget(parent), review_(review) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 4, 14, 8);
    row->setSpacing(12);
    auto* back = transportButton(QStringLiteral("backward.frame"), QStringLiteral("Previous frame"), this);
    auto* play = transportButton(QStringLiteral("playpause.fill"), QStringLiteral("Play / Pause"), this);
    auto* forward = transportButton(QStringLiteral("forward.frame"), QStringLiteral("Next frame"), this);
    connect(back, &QToolButton::clicked, this, [this] { review_.transport().stepFrame(-1); });
    connect(play, &QToolButton::clicked, this, [this] { review_.transport().togglePlay(); });
    connect(forward, &QToolButton::clicked, this, [this] { review_.transport().stepFrame(1); });
    clock_ = WidgetFactory::label({}, Theme::font(11, QFont::Normal, true), Theme::kText, this);
    loop_ = transportButton(QStringLiteral("repeat"), QStringLiteral("Loop shot  \\"), this);
    loop_->setCheckable(true);
    mute_ = transportButton(QStringLiteral("speaker.wave.2.fill"), QStringLiteral("Mute  M"), this);
    mute_->setCheckable(true);
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setRange(0, 100);
    volume_->setFixedWidth(kVolumeWidth);
    volume_->setFocusPolicy(Qt::NoFocus);
    volume_->setToolTip(QStringLiteral("Volume"));
    volume_->setAccessibleName(QStringLiteral("Volume"));
    auto* fullScreen = transportButton(QStringLiteral("arrow.up.left.and.arrow.down.right"),
                                       QStringLiteral("Full screen  F"), this);
    connect(loop_, &QToolButton::clicked, this, [this] { review_.transport().toggleLoop(); });
    connect(mute_, &QToolButton::clicked, this, [this] { review_.transport().toggleMute(); });
    connect(volume_, &QSlider::valueChanged, this, [this](int percent) { review_.transport().setVolume(percent); });
    connect(fullScreen, &QToolButton::clicked, this,
            [this] { review_.transport().setFullScreen(!review_.presentation().fullScreen); });
    framing_ = new QComboBox(this);
    framing_->setFixedWidth(kFramingWidth);
    framing_->setAccessibleName(QStringLiteral("Framing"));
    FramingChoice::fill(*framing_, QStringLiteral("Fit / pad"), QStringLiteral("Fill / crop"));
    raster_ = WidgetFactory::label({}, Theme::font(10, QFont::Normal, true), Theme::kSecondaryText, this);
    for (QWidget* widget : std::initializer_list<QWidget*>{back, play, forward, clock_, loop_, mute_, volume_, fullScreen})
        row->addWidget(widget);
    row->addStretch(1);
    row->addWidget(framing_);
    row->addWidget(raster_);

    connect(framing_, &QComboBox::activated, this, [this](int index) {
        DeliveryChoices delivery = review_.deliverySetup().delivery();
        delivery.deliveryFraming = FramingChoice::at(*framing_, index);
        review_.deliverySetup().setDelivery(delivery);
    });
    connect(&review_.transport(), &Transport::playheadChanged, this, &TransportBar::refreshClock);
    connect(&review_, &ReviewDocument::presentationChanged, this, &TransportBar::refreshClock);
    connect(&review_, &ReviewDocument::projectChanged, this, &TransportBar::refreshClock);  // a film's timecode
    connect(&review_, &ReviewDocument::presentationChanged, this, &TransportBar::refreshPlayback);
    connect(&review_.deliverySetup(), &DeliverySetup::deliveryChanged, this, &TransportBar::refreshFraming);
    refreshClock();
    refreshFraming();
    refreshPlayback();
    refreshOutput();
}

void TransportBar::refreshClock() { clock_->setText(QString::fromStdString(review_.transport().playheadText())); }

void TransportBar::refreshPlayback() {
    const PresentationState& presentation = review_.presentation();
    loop_->setChecked(presentation.loop);
    mute_->setChecked(presentation.muted);
    mute_->setIcon(SymbolIcon::icon(presentation.muted ? QStringLiteral("speaker.slash.fill")
                                                       : QStringLiteral("speaker.wave.2.fill"),
                                    Theme::kText, 16));
    const QSignalBlocker blocker(volume_);
    volume_->setValue(presentation.volume);
}

void TransportBar::refreshFraming() {
    FramingChoice::select(*framing_, review_.deliverySetup().delivery().deliveryFraming);
}

void TransportBar::refreshOutput() {
    const std::optional<DeliveryPreset> preset =
        PreviewOutput::preset(review_.deliverySetup().presets(), review_.presentation().previewPresetKey);
    const std::optional<PreviewOutput::Raster> raster = PreviewOutput::size(review_.selectedFilm(), preset);
    framing_->setVisible(preset.has_value());
    raster_->setVisible(raster.has_value());
    if (raster)
        raster_->setText(QStringLiteral("%1\u00d7%2 \u00b7 %3")
                             .arg(raster->width)
                             .arg(raster->height)
                             .arg(QString::fromStdString(LabelGeometry::aspect(raster->width, raster->height))));
}

}  // namespace marrowick
