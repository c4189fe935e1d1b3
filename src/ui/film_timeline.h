// A strip of one film's shots in their decision colours over the outline of its sound, with the
// playhead; a click selects.
#pragma once

#include <optional>

#include <QWidget>

class QPainter;

#include "model/film.h"
#include "model/uuid.h"

namespace marrowick {

class ReviewDocument;

class FilmTimeline : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 26;      // the shot segments
    static constexpr int kWaveHeight = 14;  // the sound outline below them

    explicit FilmTimeline(ReviewDocument& review, QWidget* parent = nullptr);

    void setFilm(std::optional<Film> film);

    // A shot's segment in a strip `width` wide for a film of `duration`: its offset and width
    // (one point less than its share, at least one point).
    static QRectF segmentRect(double width, double height, double duration, double start, double end);
    // The playhead's offset, held within the strip.
    static double playheadOffset(double width, double duration, double playhead);
    // The shot whose segment lies under `x`, the last drawn one where segments overlap.
    std::optional<Uuid> shotAt(double x) const;

protected:
    void paintWaveform(QPainter& painter);
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    ReviewDocument& review_;
    std::optional<Film> film_;
};

}  // namespace marrowick
