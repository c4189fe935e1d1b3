// The shot library's list model over the controller's visible shots.
#include "workspace/models/shot_list_model.h"

#include <filesystem>

#include "model/carried_decisions.h"
#include "model/film_name.h"
#include "workspace/review_document.h"
#include "workspace/transport.h"
#include "workspace/visible_shots.h"

namespace marrowick {
namespace {

QString categoryText(const Shot& shot) {
    if (!shot.category.empty()) return QString::fromStdString(shot.category);
    return shot.feature ? QStringLiteral("No confident visual tags") : QStringLiteral("Refresh visual index");
}

}  // namespace

ShotListModel::ShotListModel(ReviewDocument& review, QObject* parent)
    : QAbstractListModel(parent), review_(review), timeDisplay_(review.presentation().timeDisplay) {
    connect(&review_, &ReviewDocument::projectChanged, this, &ShotListModel::refresh);
    connect(&review_, &ReviewDocument::listOptionsChanged, this, &ShotListModel::refresh);
    connect(&review_, &ReviewDocument::selectionChanged, this, &ShotListModel::selectionUpdated);
    connect(&review_, &ReviewDocument::presentationChanged, this, &ShotListModel::timeDisplayUpdated);
    refresh();
}

int ShotListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(visible_.size());
}

QVariant ShotListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const Shot& shot = shotAt(index.row());
    switch (role) {
        case Qt::DisplayRole:
        case ClockRangeRole:
            return QString::fromStdString(review_.transport().timeText(shot.filmID, shot.start) + "  \u2192  " +
                                          review_.transport().timeText(shot.filmID, shot.end));
        case Qt::AccessibleTextRole:
            return QStringLiteral("Select shot at ") + QString::fromStdString(review_.transport().timeText(shot.filmID, shot.start));
        case Qt::CheckStateRole:
            return review_.selection().contains(shot.id) ? Qt::Checked : Qt::Unchecked;
        case ShotIdRole: return QString::fromStdString(shot.id.text());
        case FilmNameRole: return filmName(shot);
        case GroupRole: return QVariant::fromValue<qint64>(shot.group);
        case CategoryRole: return categoryText(shot);
        case DisclosureRole: return static_cast<int>(shot.disclosure);
        case DurationRole: return QString::number(shot.end - shot.start, 'f', 2) + QStringLiteral(" s");
        case CheckCutRole: return shot.boundaryScore < kUncertainBelow;
        case SelectedRole: return review_.selection().contains(shot.id);
        case CarriedRole:
            if (!shot.carriedFrom || shot.disclosure != Disclosure::unreviewed) return QString();
            return QString::fromStdString(carriedSuggestion(review_.project(), *shot.carriedFrom));
        default: return {};
    }
}

bool ShotListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return false;
    const Shot& shot = shotAt(index.row());
    const bool wanted = value.toInt() == Qt::Checked;
    if (review_.selection().contains(shot.id) == wanted) return false;
    review_.focus(shot.id, true);
    return true;
}

Qt::ItemFlags ShotListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

QHash<int, QByteArray> ShotListModel::roleNames() const {
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert({{ShotIdRole, "shotID"},
                  {ClockRangeRole, "clockRange"},
                  {FilmNameRole, "filmName"},
                  {GroupRole, "group"},
                  {CategoryRole, "category"},
                  {DisclosureRole, "disclosure"},
                  {DurationRole, "duration"},
                  {CheckCutRole, "checkCut"},
                  {SelectedRole, "selected"},
                  {CarriedRole, "carried"}});
    return names;
}

void ShotListModel::refresh() {
    filmNames_.clear();
    for (const Film& film : review_.project().films)
        filmNames_.emplace(film.id, fileName(film));
    VisibleShots next = review_.visible();
    if (sameOrder(next)) {
        visible_ = std::move(next);
        if (!visible_.empty()) emit dataChanged(index(0), index(rowCount() - 1));
        return;
    }
    beginResetModel();
    visible_ = std::move(next);
    endResetModel();
}

void ShotListModel::selectionUpdated() {
    if (visible_.empty()) return;
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole, SelectedRole});
}

void ShotListModel::timeDisplayUpdated() {
    if (review_.presentation().timeDisplay == timeDisplay_) return;
    timeDisplay_ = review_.presentation().timeDisplay;
    if (visible_.empty()) return;
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole, ClockRangeRole, Qt::AccessibleTextRole});
}

bool ShotListModel::sameOrder(const VisibleShots& next) const {
    if (next.size() != visible_.size()) return false;
    for (std::size_t i = 0; i < next.size(); ++i)
        if (next[i].id != visible_[i].id) return false;
    return true;
}

QString ShotListModel::filmName(const Shot& shot) const {
    const auto film = filmNames_.find(shot.filmID);
    return film == filmNames_.end() ? QStringLiteral("Missing film") : QString::fromStdString(film->second);
}

}  // namespace marrowick
