// Composition of the preview pane and which of its parts the selection shows.
#include "ui/preview_pane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/empty_state.h"
#include "ui/film_timeline.h"
#include "ui/native_player.h"
#include "ui/output_bar.h"
#include "ui/store_operations.h"
#include "ui/theme.h"
#include "ui/transport_bar.h"
#include "ui/widget_factory.h"
#include "workspace/delivery_setup.h"
#include "workspace/preview_output.h"
#include "workspace/review_document.h"

namespace marrowick {

PreviewPane::PreviewPane(ReviewStore& store, ReviewDocument& review, QVideoSink* sink, QWidget* parent)
    : QWidget(parent), store_(store), review_(review), player_(new NativePlayer(sink)) {
    setObjectName(QStringLiteral("PreviewPane"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#PreviewPane { background: #0c0c0e; border: 1px solid #222328; border-radius: 8px; }"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    outputBar_ = new OutputBar(review_, this);
    column->addWidget(outputBar_);
    column->addWidget(videoArea(), 1);
    timelineRow_ = new QWidget(this);
    auto* timelineLayout = new QHBoxLayout(timelineRow_);
    timelineLayout->setContentsMargins(14, 6, 14, 2);
    timeline_ = new FilmTimeline(review_, timelineRow_);
    timelineLayout->addWidget(timeline_);
    column->addWidget(timelineRow_);
    transport_ = new TransportBar(review_, this);
    column->addWidget(transport_);

    for (auto signal : {&ReviewDocument::projectChanged, &ReviewDocument::selectionChanged, &ReviewDocument::presentationChanged,
                        &ReviewDocument::activityChanged})
        connect(&review_, signal, this, &PreviewPane::refresh);
    for (auto signal : {&DeliverySetup::presetsChanged, &DeliverySetup::deliveryChanged})
        connect(&review_.deliverySetup(), signal, this, &PreviewPane::refresh);
    refresh();
}

QWidget* PreviewPane::videoArea() {
    video_ = new QStackedWidget(this);
    WidgetFactory::fillBackground(video_, Qt::black);
    empty_ = new EmptyState(video_);
    import_ = WidgetFactory::button(QStringLiteral("Import films\u2026"), {}, nullptr, empty_);
    connect(import_, &QPushButton::clicked, this, [this] { StoreOperations::importDialog(store_); });
    empty_->addAccessory(import_);
    rasterCaption_ = WidgetFactory::label(QStringLiteral("This output needs an even raster. Edit the preset dimensions."),
                                          Theme::font(12), Theme::kAccent, video_);
    rasterCaption_->setAlignment(Qt::AlignCenter);
    output_ = new QWidget(video_);
    auto* outputLayout = new QVBoxLayout(output_);
    outputLayout->setContentsMargins(0, 0, 0, 0);
    outputLayout->addWidget(player_);
    for (QWidget* page : {static_cast<QWidget*>(empty_), static_cast<QWidget*>(rasterCaption_), output_})
        video_->addWidget(page);
    return video_;
}

void PreviewPane::hostOutputPreview(QWidget* outputPreview) { output_->layout()->addWidget(outputPreview); }

void PreviewPane::refresh() {
    const std::optional<Shot> shot = review_.selected();
    const std::optional<Film> film = review_.selectedFilm();
    const std::optional<DeliveryPreset> preset =
        PreviewOutput::preset(review_.deliverySetup().presets(), review_.presentation().previewPresetKey);
    const bool hasShots = !review_.project().shots.empty();
    empty_->present(QStringLiteral("film.stack"),
                    hasShots ? QStringLiteral("Select a shot to review") : QStringLiteral("Bring your films into focus"),
                    QStringLiteral("Import multiple edits. Find every shot. Review once."));
    import_->setVisible(!hasShots);
    import_->setEnabled(!review_.busy());
    if (!shot) video_->setCurrentWidget(empty_);
    else if (!PreviewOutput::size(film, preset)) video_->setCurrentWidget(rasterCaption_);
    else video_->setCurrentWidget(output_);
    player_->setFill(preset.has_value() && review_.deliverySetup().delivery().deliveryFraming == Framing::crop);
    for (QWidget* part : std::initializer_list<QWidget*>{outputBar_, timelineRow_, transport_})
        part->setVisible(film.has_value());
    timeline_->setFilm(film);
    transport_->refreshOutput();
}

QString PreviewPane::emptyTitle() const { return empty_->title(); }

bool PreviewPane::showsImportButton() const { return video_->currentWidget() == empty_ && !import_->isHidden(); }

bool PreviewPane::showsVideo() const { return video_->currentWidget() == output_; }

bool PreviewPane::showsRasterCaption() const { return video_->currentWidget() == rasterCaption_; }

}  // namespace marrowick
