// The shot library as a list model: one row per shot of the controller's visible list.
#pragma once

#include <string>
#include <unordered_map>

#include <QAbstractListModel>

#include "model/film_time.h"
#include "model/shot.h"
#include "workspace/visible_shots.h"

namespace marrowick {

class ReviewDocument;

// Follows the controller: a changed list order resets the model, a change that keeps the order
// (a decision, a note) only announces changed data, and a selection change touches only the
// selection roles. Checking a row's box adds or removes its shot from the selection.
class ShotListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        ShotIdRole = Qt::UserRole + 1,  // QString, canonical upper-case UUID
        ClockRangeRole,                 // "00:00:01.000  →  00:00:02.500"
        FilmNameRole,                   // the film's file name, or "Missing film"
        GroupRole,                      // qint64, 0 when ungrouped
        CategoryRole,                   // the category or its placeholder text
        DisclosureRole,                 // int, a Disclosure value
        DurationRole,                   // "1.50 s"
        CheckCutRole,                   // bool: boundary score below 0.8
        SelectedRole,                   // bool
        CarriedRole,                    // "was AI generated in a.mov 00:00:01.000", or empty
    };

    explicit ShotListModel(ReviewDocument& review, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    const VisibleShots& visible() const { return visible_; }
    // The shot of a row, for what roles do not carry (the thumbnail's bytes).
    const Shot& shotAt(int row) const { return visible_[static_cast<std::size_t>(row)]; }

private:
    void refresh();
    void selectionUpdated();
    void timeDisplayUpdated();
    bool sameOrder(const VisibleShots& next) const;
    QString filmName(const Shot& shot) const;

    ReviewDocument& review_;
    VisibleShots visible_;
    std::unordered_map<Uuid, std::string, UuidHash> filmNames_;
    TimeDisplay timeDisplay_;
};

}  // namespace marrowick
