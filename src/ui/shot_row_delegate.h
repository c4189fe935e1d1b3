// Paints one shot row of the library and turns clicks on it into selection changes.
#pragma once

#include <QStyledItemDelegate>

#include "ui/thumbnail_cache.h"

namespace marrowick {

class ReviewDocument;
class ShotListModel;

// Row layout, left to right: checkbox, thumbnail, clock range / film / category, decision badge /
// duration / "Check cut". The compact density puts the same on one line beside a small thumbnail,
// with the scissors alone standing for "Check cut". A click selects only the row, Ctrl-click or
// the checkbox toggles it.
class ShotRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 73;
    static constexpr int kCompactRowHeight = 31;
    static constexpr int kSpacing = 1;

    // The distance from one row's top to the next in either density.
    static int rowPitch(bool compact) { return (compact ? kCompactRowHeight : kRowHeight) + kSpacing; }

    ShotRowDelegate(ReviewDocument& review, ShotListModel& model, QObject* parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // Where the checkbox of a row painted in `row` lies.
    static QRect checkboxRect(const QRect& row);

private:
    void paintFrame(QPainter* painter, const QRect& row, bool selected) const;
    void paintCheckbox(QPainter* painter, const QRect& row, bool checked) const;
    void paintThumbnail(QPainter* painter, const QRect& target, const QModelIndex& index) const;
    void paintText(QPainter* painter, const QRect& row, const QModelIndex& index) const;
    void paintDecision(QPainter* painter, const QRect& row, const QModelIndex& index) const;
    void paintCompactText(QPainter* painter, const QRect& row, const QModelIndex& index) const;
    void paintCompactDecision(QPainter* painter, const QRect& row, const QModelIndex& index) const;
    bool compact() const;

    ReviewDocument& review_;
    ShotListModel& model_;
    mutable ThumbnailCache thumbnails_;
};

}  // namespace marrowick
