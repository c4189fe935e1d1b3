// Painting of the guide and the label, and moving the label with the mouse and the arrow keys.
#include "ui/output_overlay.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"
#include "disclosure/layout_placement.h"
#include "ui/theme.h"
#include "workspace/review_store.h"
#include "workspace/transport.h"

namespace marrowick {
namespace {

constexpr double kGhostOpacity = 0.45;
constexpr double kGuideTint = 0.17;
constexpr double kGuideLine = 0.9;

bool labelled(Disclosure decision) { return decision == Disclosure::modified || decision == Disclosure::generated; }

QRectF scaled(const LabelRect& rect, double scale) {
    return {static_cast<double>(rect.x) * scale, static_cast<double>(rect.y) * scale,
            static_cast<double>(rect.width) * scale, static_cast<double>(rect.height) * scale};
}

bool holds(const Shot& shot, const Uuid& filmID, double seconds) {
    return shot.filmID == filmID && shot.start <= seconds && seconds < shot.end;
}

// The one-pixel step of an arrow key; (0, 0) for any other key.
std::pair<int, int> nudge(int key) {
    switch (key) {
        case Qt::Key_Left: return {-1, 0};
        case Qt::Key_Right: return {1, 0};
        case Qt::Key_Up: return {0, -1};
        case Qt::Key_Down: return {0, 1};
        default: return {0, 0};
    }
}

}  // namespace

OutputOverlay::OutputOverlay(ReviewStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Output preview"));
}

double OutputOverlay::scale() const {
    const std::optional<RasterSize> size = store_.layouts().previewSize();
    if (!size) return 0;
    return std::min(width() / static_cast<double>(size->width), height() / static_cast<double>(size->height));
}

std::optional<Shot> OutputOverlay::currentShot() const {
    const std::optional<Film> film = store_.selectedFilm();
    if (!film) return std::nullopt;
    const double playhead = store_.transport().playhead();
    // The selected shot usually holds the playhead; only otherwise is the film searched.
    const std::optional<Shot> selected = store_.selected();
    if (selected && holds(*selected, film->id, playhead)) return selected;
    const auto& shots = store_.project().shots;
    const auto found = std::find_if(shots.begin(), shots.end(), [&](const Shot& shot) { return holds(shot, film->id, playhead); });
    return found == shots.end() ? std::nullopt : std::optional<Shot>(*found);
}

std::optional<std::string> OutputOverlay::editedKey() const {
    return editedKey_ ? editedKey_() : store_.layouts().layoutKey(true);
}

bool OutputOverlay::editing() const { return store_.presentation().editLabelLayout && !store_.busy(); }

std::optional<OutputOverlay::Label> OutputOverlay::label() const {
    const std::optional<LayoutOutput> output = store_.layouts().layoutOutput();
    if (!output) return std::nullopt;
    const std::optional<Shot> shot = currentShot();
    const Disclosure decision = shot ? shot->disclosure : Disclosure::unreviewed;
    if (!labelled(decision) && !store_.presentation().editLabelLayout) return std::nullopt;
    const Disclosure artwork = decision == Disclosure::generated ? Disclosure::generated : Disclosure::modified;
    const std::optional<double> aspect = store_.layouts().artworkAspect(artwork);
    if (!aspect) return std::nullopt;
    LabelRect rect = LabelGeometry::rect(store_.project(), output->presetKey, output->width, output->height, *aspect);
    if (drag_) {
        rect.x = drag_->x;
        rect.y = drag_->y;
    }
    return Label{artwork, rect, labelled(decision) ? 1.0 : kGhostOpacity};
}

void OutputOverlay::refresh() {
    // The guide depends on more than the label; only playhead moves within a shot are skipped.
    if (label() != shown_ || store_.presentation().showSafeZones) update();
}

const QImage& OutputOverlay::artwork(Disclosure artwork) const {
    const std::optional<std::filesystem::path> file =
        LabelAssets::url(store_.resourceRoot(), artwork, LabelAssets::styleOrWhite(store_.project().labelStyle));
    const std::string path = file ? file->string() : std::string();
    auto known = artworks_.find(path);
    if (known == artworks_.end()) known = artworks_.emplace(path, path.empty() ? QImage() : QImage(QString::fromStdString(path))).first;
    return known->second;
}

void OutputOverlay::paintGuide(QPainter& painter, double scale) const {
    const std::optional<std::string> key = editedKey();
    const std::optional<LabelRect> guide = key ? store_.layouts().guideRect(*key) : std::nullopt;
    if (!guide) return;
    const QRectF safe = scaled(*guide, scale);
    QPainterPath outside;
    outside.addRect(rect());
    outside.addRect(safe);
    QColor tint = Theme::kAccent;
    tint.setAlphaF(kGuideTint);
    painter.fillPath(outside, tint);  // odd-even fill: only the area outside the safe rectangle
    QColor line = Theme::kAccent;
    line.setAlphaF(kGuideLine);
    painter.setPen(QPen(line, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(safe.adjusted(0.5, 0.5, -0.5, -0.5));
}

void OutputOverlay::paintEvent(QPaintEvent*) {
    shown_ = label();
    const double factor = scale();
    if (factor <= 0) return;
    QPainter painter(this);
    painter.setClipRect(rect());
    if (store_.presentation().showSafeZones) paintGuide(painter, factor);
    if (!shown_) return;
    const QImage& picture = artwork(shown_->artwork);
    if (picture.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(shown_->opacity);
    painter.drawImage(scaled(shown_->rect, factor), picture);
}

std::optional<QRectF> OutputOverlay::labelArea() const {
    const std::optional<Label> drawn = label();
    if (!drawn) return std::nullopt;
    return scaled(drawn->rect, scale());
}

void OutputOverlay::place(Disclosure artwork, std::int64_t x, std::int64_t y) {
    const std::optional<LayoutOutput> output = store_.layouts().layoutOutput();
    const std::optional<std::string> key = editedKey();
    const std::optional<double> aspect = store_.layouts().artworkAspect(artwork);
    if (!output || !key || !aspect) return;
    const std::optional<LabelLayout> layout = store_.layouts().shownLayout(*key);
    if (!layout) return;
    // The label drawn may belong to another layout (the preset's own, while the aspect ratio's is
    // edited), of another width: the stored fraction must be measured with the edited one's size.
    const LabelRect label = LabelGeometry::size(layout->widthFraction, output->width, output->height, *aspect);
    store_.changeLayout(*key, LayoutChange::Whole{LayoutPlacement::positioned(*layout, label, x, y, *output)});
}

bool OutputOverlay::event(QEvent* event) {
    // While the editor is open the arrow keys nudge the label instead of stepping frames.
    if (event->type() == QEvent::ShortcutOverride && editing()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (nudge(key->key()) != std::pair{0, 0} && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void OutputOverlay::keyPressEvent(QKeyEvent* event) {
    const auto [dx, dy] = nudge(event->key());
    const std::optional<Label> drawn = label();
    if (!editing() || (dx == 0 && dy == 0) || !drawn || drag_) {
        QWidget::keyPressEvent(event);
        return;
    }
    place(drawn->artwork, drawn->rect.x + dx, drawn->rect.y + dy);
}

void OutputOverlay::mousePressEvent(QMouseEvent* event) {
    const std::optional<Label> drawn = label();
    const bool onLabel = drawn && scaled(drawn->rect, scale()).contains(event->position());
    if (event->button() != Qt::LeftButton || !editing() || !onLabel) {
        QWidget::mousePressEvent(event);
        return;
    }
    drag_ = Drag{event->position(), drawn->rect, drawn->rect.x, drawn->rect.y};
    setCursor(Qt::ClosedHandCursor);
}

void OutputOverlay::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_) {
        const std::optional<QRectF> area = labelArea();
        setCursor(editing() && area && area->contains(event->position()) ? Qt::OpenHandCursor : Qt::ArrowCursor);
        return;
    }
    const std::optional<RasterSize> size = store_.layouts().previewSize();
    const double factor = scale();
    if (!size || factor <= 0) return;
    const QPointF moved = (event->position() - drag_->pressedAt) / factor;
    drag_->x = std::clamp<std::int64_t>(drag_->start.x + std::llround(moved.x()), 0,
                                        std::max<std::int64_t>(size->width - drag_->start.width, 0));
    drag_->y = std::clamp<std::int64_t>(drag_->start.y + std::llround(moved.y()), 0,
                                        std::max<std::int64_t>(size->height - drag_->start.height, 0));
    update();
}

void OutputOverlay::mouseReleaseEvent(QMouseEvent* event) {
    if (!drag_ || event->button() != Qt::LeftButton) return;
    const Drag finished = *drag_;
    drag_.reset();
    setCursor(Qt::OpenHandCursor);
    // The whole drag is one edit, stored when the label is let go.
    const std::optional<Label> drawn = label();
    if (drawn && (finished.x != finished.start.x || finished.y != finished.start.y))
        place(drawn->artwork, finished.x, finished.y);
    update();
}

}  // namespace marrowick
