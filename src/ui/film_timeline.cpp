// Drawing and hit-testing of the film timeline.
#include "ui/film_timeline.h"

#include <algorithm>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "model/clock_string.h"
#include "ui/theme.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr double kSegmentInset = 3;
constexpr double kUnselectedOpacity = 0.45;

QString tooltip(const Shot& shot) {
    return QString::fromStdString(clockString(shot.start)) + QStringLiteral(" \u2014 ") +
           QString::fromUtf8(disclosureTitle(shot.disclosure).data());
}

}  // namespace

FilmTimeline::FilmTimeline(ReviewStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setFixedHeight(kHeight);
    setCursor(Qt::PointingHandCursor);
    for (auto signal : {&ReviewStore::projectChanged, &ReviewStore::selectionChanged, &ReviewStore::playheadChanged})
        connect(&store_, signal, this, qOverload<>(&QWidget::update));
}

void FilmTimeline::setFilm(std::optional<Film> film) {
    film_ = std::move(film);
    update();
}

QRectF FilmTimeline::segmentRect(double width, double height, double duration, double start, double end) {
    if (!(duration > 0)) return {};
    const double segmentWidth = std::max(1.0, width * (end - start) / duration - 1);
    return {start * width / duration, kSegmentInset, segmentWidth, std::max(1.0, height - 2 * kSegmentInset)};
}

double FilmTimeline::playheadOffset(double width, double duration, double playhead) {
    if (!(duration > 0)) return 0;
    return std::clamp(playhead * width / duration, 0.0, width);
}

std::optional<Uuid> FilmTimeline::shotAt(double x) const {
    if (!film_) return std::nullopt;
    std::optional<Uuid> found;
    for (const Shot& shot : store_.project().shots) {
        if (shot.filmID != film_->id) continue;
        const QRectF segment = segmentRect(width(), height(), film_->duration, shot.start, shot.end);
        if (x >= segment.left() && x < segment.right()) found = shot.id;
    }
    return found;
}

void FilmTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 10));
    painter.drawRoundedRect(rect(), 3, 3);
    if (!film_) return;
    const std::set<Uuid>& selection = store_.selection();
    for (const Shot& shot : store_.project().shots) {
        if (shot.filmID != film_->id) continue;
        const bool selected = selection.contains(shot.id);
        QColor color = Theme::disclosureColor(shot.disclosure);
        if (!selected) color.setAlphaF(kUnselectedOpacity);
        painter.setBrush(color);
        painter.setPen(selected ? QPen(Qt::white, 1) : QPen(Qt::NoPen));
        painter.drawRoundedRect(segmentRect(width(), height(), film_->duration, shot.start, shot.end), 2, 2);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double x = playheadOffset(width(), film_->duration, store_.playhead());
    painter.drawRect(QRectF(std::min(x, width() - 1.0), 0, 1, height()));
}

void FilmTimeline::mousePressEvent(QMouseEvent* event) {
    const std::optional<Uuid> shot = shotAt(event->position().x());
    if (!shot) return;
    store_.setSelection({*shot});
    store_.focusSelected();
}

bool FilmTimeline::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<Uuid> id = shotAt(help->pos().x());
    const std::optional<std::size_t> index = id ? store_.project().shotIndex(*id) : std::nullopt;
    if (index) QToolTip::showText(help->globalPos(), tooltip(store_.project().shots[*index]), this);
    else QToolTip::hideText();
    return true;
}

}  // namespace marrowick
