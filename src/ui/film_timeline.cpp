// Drawing and hit-testing of the film timeline.
#include "ui/film_timeline.h"

#include <algorithm>

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/theme.h"
#include "workspace/review_document.h"
#include "workspace/transport.h"
#include "workspace/waveforms.h"

namespace marrowick {
namespace {

constexpr double kSegmentInset = 3;
constexpr double kUnselectedOpacity = 0.45;

QString tooltip(const ReviewDocument& review, const Shot& shot) {
    return QString::fromStdString(review.transport().timeText(shot.filmID, shot.start)) + QStringLiteral(" \u2014 ") +
           QString::fromUtf8(disclosureTitle(shot.disclosure).data());
}

}  // namespace

FilmTimeline::FilmTimeline(ReviewDocument& review, QWidget* parent) : QWidget(parent), review_(review) {
    setFixedHeight(kHeight + kWaveHeight);
    setCursor(Qt::PointingHandCursor);
    for (auto signal : {&ReviewDocument::projectChanged, &ReviewDocument::selectionChanged})
        connect(&review_, signal, this, qOverload<>(&QWidget::update));
    connect(&review_.transport(), &Transport::playheadChanged, this, qOverload<>(&QWidget::update));
    connect(&review_.waveforms(), &Waveforms::ready, this, qOverload<>(&QWidget::update));
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
    for (const Shot& shot : review_.project().shots) {
        if (shot.filmID != film_->id) continue;
        const QRectF segment = segmentRect(width(), kHeight, film_->duration, shot.start, shot.end);
        if (x >= segment.left() && x < segment.right()) found = shot.id;
    }
    return found;
}

void FilmTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 10));
    painter.drawRoundedRect(QRectF(0, 0, width(), kHeight), 3, 3);
    if (!film_) return;
    paintWaveform(painter);
    const std::set<Uuid>& selection = review_.selection();
    for (const Shot& shot : review_.project().shots) {
        if (shot.filmID != film_->id) continue;
        const bool selected = selection.contains(shot.id);
        QColor color = Theme::disclosureColor(shot.disclosure);
        if (!selected) color.setAlphaF(kUnselectedOpacity);
        painter.setBrush(color);
        painter.setPen(selected ? QPen(Qt::white, 1) : QPen(Qt::NoPen));
        painter.drawRoundedRect(segmentRect(width(), kHeight, film_->duration, shot.start, shot.end), 2, 2);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const double x = playheadOffset(width(), film_->duration, review_.transport().playhead());
    painter.drawRect(QRectF(std::min(x, width() - 1.0), 0, 1, height()));
}

void FilmTimeline::paintWaveform(QPainter& painter) {
    const AudioPeaks* sound = review_.waveforms().peaks(*film_);
    if (!sound || sound->peaks.empty() || !(film_->duration > 0)) return;
    // One bar per pixel column: the loudest peak of the seconds that column covers, mirrored
    // about the band's middle line.
    const double perPixel = film_->duration * AudioPeaks::kBucketsPerSecond / width();
    const double middle = kHeight + kWaveHeight / 2.0;
    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int x = 0; x < width(); ++x) {
        const auto first = static_cast<std::size_t>(x * perPixel);
        const auto last = std::min(sound->peaks.size(), static_cast<std::size_t>((x + 1) * perPixel) + 1);
        if (first >= last) break;
        const std::uint8_t peak = *std::max_element(sound->peaks.begin() + first, sound->peaks.begin() + last);
        const double half = std::max(0.5, peak / 255.0 * (kWaveHeight / 2.0 - 1));
        painter.drawLine(QPointF(x + 0.5, middle - half), QPointF(x + 0.5, middle + half));
    }
}

void FilmTimeline::mousePressEvent(QMouseEvent* event) {
    const std::optional<Uuid> shot = shotAt(event->position().x());
    if (!shot) return;
    review_.setSelection({*shot});
    review_.focusSelected();
}

bool FilmTimeline::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<Uuid> id = shotAt(help->pos().x());
    const std::optional<std::size_t> index = id ? review_.project().shotIndex(*id) : std::nullopt;
    if (index) QToolTip::showText(help->globalPos(), tooltip(review_, review_.project().shots[*index]), this);
    else QToolTip::hideText();
    return true;
}

}  // namespace marrowick
