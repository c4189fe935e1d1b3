// The preview above the shot library: output bar, video area, film timeline and transport.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStackedWidget;
class QVideoSink;

namespace marrowick {

class EmptyState;
class FilmTimeline;
class NativePlayer;
class OutputBar;
class ReviewDocument;
class ReviewStore;
class TransportBar;

class PreviewPane : public QWidget {
    Q_OBJECT

public:
    // `sink` delivers the player's frames; without one the video area stays black.
    PreviewPane(ReviewStore& store, ReviewDocument& review, QVideoSink* sink, QWidget* parent = nullptr);

    NativePlayer& player() const { return *player_; }
    FilmTimeline& timeline() const { return *timeline_; }
    // Puts a view that frames the output around the player into the video area, in place of the
    // bare player; the view takes the player from player() and hosts it itself.
    void hostOutputPreview(QWidget* outputPreview);

    // What the video area shows: the empty state's title, or the raster caption.
    QString emptyTitle() const;
    bool showsImportButton() const;
    bool showsVideo() const;
    bool showsRasterCaption() const;

private:
    void refresh();
    QWidget* videoArea();

    ReviewStore& store_;  // imports films
    ReviewDocument& review_;
    OutputBar* outputBar_;
    QStackedWidget* video_;
    EmptyState* empty_;
    QPushButton* import_;
    QLabel* rasterCaption_;
    QWidget* output_;
    NativePlayer* player_;
    QWidget* timelineRow_;
    FilmTimeline* timeline_;
    TransportBar* transport_;
};

}  // namespace marrowick
