// The layer over the output frame: the safe-zone guide and the label of the shot under the
// playhead, which can be dragged, or nudged by one output pixel with the arrow keys, while the
// layout editor is open.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include <QImage>
#include <QWidget>

#include "disclosure/label_rect.h"
#include "model/disclosure.h"
#include "model/shot.h"

namespace marrowick {

class ReviewStore;

class OutputOverlay : public QWidget {
    Q_OBJECT

public:
    // The layout key the editor edits; drags and nudges store into it and the guide follows it.
    using EditedKey = std::function<std::optional<std::string>()>;

    // A label as drawn: which artwork, where in output pixels, and how opaque.
    struct Label {
        Disclosure artwork = Disclosure::modified;
        LabelRect rect;
        double opacity = 1;
        friend bool operator==(const Label&, const Label&) = default;
    };

    OutputOverlay(ReviewStore& store, QWidget* parent = nullptr);

    void setEditedKey(EditedKey editedKey) { editedKey_ = std::move(editedKey); }
    // The label drawn now (during a drag, where the drag has taken it); nothing when none is.
    std::optional<Label> label() const;
    // Where the label is painted in this widget; nothing when none is.
    std::optional<QRectF> labelArea() const;
    // Output pixels to this widget's pixels; 0 without an output.
    double scale() const;
    // Repaints when the label or the guide may have changed.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Drag {
        QPointF pressedAt;
        LabelRect start;
        std::int64_t x = 0;
        std::int64_t y = 0;
    };

    std::optional<Shot> currentShot() const;
    std::optional<std::string> editedKey() const;
    bool editing() const;
    // Stores the label of `artwork` at output pixel (x, y) in the edited layout, as one edit, the
    // position measured with that layout's own label size.
    void place(Disclosure artwork, std::int64_t x, std::int64_t y);
    void paintGuide(QPainter& painter, double scale) const;
    const QImage& artwork(Disclosure artwork) const;

    ReviewStore& store_;
    EditedKey editedKey_;
    std::optional<Drag> drag_;
    std::optional<Label> shown_;  // what the last paint drew, to skip repaints that change nothing
    mutable std::map<std::string, QImage> artworks_;
};

}  // namespace marrowick
