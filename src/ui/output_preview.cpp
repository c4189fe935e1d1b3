// Placing the output frame and keeping it in step with the previewed output.
#include "ui/output_preview.h"

#include <algorithm>
#include <cmath>

#include "ui/native_player.h"
#include "workspace/delivery_setup.h"
#include "workspace/layout_queries.h"
#include "workspace/review_document.h"
#include "workspace/transport.h"

namespace marrowick {

OutputPreview::OutputPreview(ReviewStore& store, ReviewDocument& review, NativePlayer& player, QWidget* parent)
    : QWidget(parent), store_(store), review_(review), player_(player) {
    player_.setParent(this);
    overlay_ = new OutputOverlay(store_, this);
    overlay_->raise();
    for (auto signal : {&ReviewDocument::projectChanged, &ReviewDocument::selectionChanged, &ReviewDocument::presentationChanged,
                        &ReviewDocument::activityChanged})
        connect(&review_, signal, this, &OutputPreview::place);
    connect(&review_.deliverySetup(), &DeliverySetup::presetsChanged, this, &OutputPreview::place);
    connect(&review_.transport(), &Transport::playheadChanged, overlay_, &OutputOverlay::refresh);
    place();
}

QRect OutputPreview::frameRect(const QSize& area, std::int64_t width, std::int64_t height) {
    if (area.isEmpty() || width < 1 || height < 1) return {};
    const double scale = std::min(area.width() / static_cast<double>(width), area.height() / static_cast<double>(height));
    const int w = static_cast<int>(std::lround(static_cast<double>(width) * scale));
    const int h = static_cast<int>(std::lround(static_cast<double>(height) * scale));
    return {(area.width() - w) / 2, (area.height() - h) / 2, w, h};
}

void OutputPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void OutputPreview::place() {
    const std::optional<RasterSize> size = review_.layouts().previewSize();
    const QRect frame = size ? frameRect(this->size(), size->width, size->height) : rect();
    player_.setGeometry(frame);
    overlay_->setGeometry(frame);
    overlay_->update();
}

}  // namespace marrowick
