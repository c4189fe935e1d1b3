// One output frame of the previewed output, scaled into the video area: the player inside it,
// fitted or filling by the framing, with the guide and label layer on top.
#pragma once

#include <cstdint>

#include <QWidget>

#include "ui/output_overlay.h"

namespace marrowick {

class NativePlayer;
class ReviewDocument;
class ReviewStore;

class OutputPreview : public QWidget {
    Q_OBJECT

public:
    // Takes `player` into this view.
    OutputPreview(ReviewStore& store, ReviewDocument& review, NativePlayer& player, QWidget* parent = nullptr);

    OutputOverlay& overlay() const { return *overlay_; }
    void setEditedKey(OutputOverlay::EditedKey editedKey) { overlay_->setEditedKey(std::move(editedKey)); }

    // Where an output frame of width x height pixels lands, as large as fits, centred in `area`.
    static QRect frameRect(const QSize& area, std::int64_t width, std::int64_t height);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();

    ReviewStore& store_;  // handed to the overlay, which moves labels
    ReviewDocument& review_;
    NativePlayer& player_;
    OutputOverlay* overlay_;
};

}  // namespace marrowick
