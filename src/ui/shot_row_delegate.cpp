// Painting and mouse handling of the shot library's rows.
#include "ui/shot_row_delegate.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "workspace/models/shot_list_model.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

constexpr QSize kThumbnail{108, 61};
constexpr QSize kCompactThumbnail{46, 26};
constexpr int kRowPadding = 6;
constexpr int kCheckboxSize = 15;
constexpr int kCheckboxLeft = 11;
constexpr int kThumbnailLeft = kCheckboxLeft + kCheckboxSize + 11;
constexpr int kTextLeft = kThumbnailLeft + 108 + 13;
constexpr int kRightColumnWidth = 120;
constexpr int kCompactTextLeft = kThumbnailLeft + 46 + 10;
constexpr int kCompactRightColumnWidth = 190;
constexpr int kCompactDurationWidth = 56;
constexpr int kCompactGap = 12;

QRect rowFrame(const QRect& cell) { return cell.adjusted(0, 0, 0, -ShotRowDelegate::kSpacing); }

// Draws `text` elided into `rect`, left or right aligned; returns the width drawn.
int drawLine(QPainter* painter, const QRect& rect, const QString& text, Qt::Alignment alignment) {
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    painter->drawText(rect, alignment | Qt::AlignVCenter, shown);
    return painter->fontMetrics().horizontalAdvance(shown);
}

// "G3" for a shot of group 3; empty for an ungrouped shot.
QString groupBadge(const QModelIndex& index) {
    const qint64 group = index.data(ShotListModel::GroupRole).toLongLong();
    return group >= 1 ? QStringLiteral("G") + QString::number(group) : QString();
}

// The group badge as a small blue pill starting at `left`, vertically centred on `centreY`.
void drawGroupBadge(QPainter* painter, qreal left, qreal centreY, const QString& badge) {
    painter->setFont(Theme::font(9, QFont::DemiBold, true));
    const int textWidth = painter->fontMetrics().horizontalAdvance(badge);
    const QRectF pill(left, centreY - 7, textWidth + 10, 14);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(100, 170, 255, 40));
    painter->drawRoundedRect(pill, 4, 4);
    painter->setPen(QColor(140, 192, 255));
    painter->drawText(pill, Qt::AlignCenter, badge);
}

// The decision badge (dot and title) ending at `right` with its top at `top`; returns its left edge.
qreal drawDecisionPill(QPainter* painter, int right, qreal top, const QModelIndex& index) {
    const auto disclosure = static_cast<Disclosure>(index.data(ShotListModel::DisclosureRole).toInt());
    const QColor color = Theme::disclosureColor(disclosure);
    painter->setFont(Theme::font(10, QFont::Medium));
    const QString title = QString::fromUtf8(disclosureTitle(disclosure).data(),
                                            static_cast<qsizetype>(disclosureTitle(disclosure).size()));
    const int titleWidth = painter->fontMetrics().horizontalAdvance(title);
    const QRectF pill(right - titleWidth - 21, top, titleWidth + 21, 17);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Theme::withAlpha(color, 0.16));
    painter->drawRoundedRect(pill, 8.5, 8.5);
    painter->setBrush(color);
    painter->drawEllipse(QPointF(pill.left() + 9, pill.center().y()), 2.5, 2.5);
    painter->setPen(color);
    painter->drawText(pill.adjusted(14, 0, -7, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    return pill.left();
}

void drawScissors(QPainter* painter, int left, int top) {
    painter->drawPixmap(left, top,
                        SymbolIcon::pixmap(QStringLiteral("scissors"), Theme::kAccent, 10,
                                           painter->device()->devicePixelRatioF()));
}

// The line under the film name: an earlier cut's decision waiting for the reviewer, else the category.
void setCategoryPen(QPainter* painter, const QString& carried) {
    painter->setFont(Theme::font(11));
    painter->setPen(carried.isEmpty() ? Theme::kTertiaryText : Theme::kAccent);
}

QString categoryLine(const QModelIndex& index) {
    const QString carried = index.data(ShotListModel::CarriedRole).toString();
    return carried.isEmpty() ? index.data(ShotListModel::CategoryRole).toString() : carried;
}

}  // namespace

ShotRowDelegate::ShotRowDelegate(ReviewDocument& review, ShotListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), review_(review), model_(model) {}

QSize ShotRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {400, rowPitch(compact())};
}

bool ShotRowDelegate::compact() const { return review_.presentation().compactRows; }

QRect ShotRowDelegate::checkboxRect(const QRect& row) {
    const QRect frame = rowFrame(row);
    return {frame.left() + kCheckboxLeft, frame.center().y() - kCheckboxSize / 2, kCheckboxSize, kCheckboxSize};
}

void ShotRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect row = rowFrame(option.rect);
    const bool selected = index.data(ShotListModel::SelectedRole).toBool();
    paintFrame(painter, row, selected);
    paintCheckbox(painter, option.rect, selected);
    if (compact()) {
        const int top = row.top() + (row.height() - kCompactThumbnail.height()) / 2;
        paintThumbnail(painter, QRect(QPoint(row.left() + kThumbnailLeft, top), kCompactThumbnail), index);
        paintCompactText(painter, row, index);
        paintCompactDecision(painter, row, index);
    } else {
        paintThumbnail(painter, QRect(QPoint(row.left() + kThumbnailLeft, row.top() + kRowPadding), kThumbnail), index);
        paintText(painter, row, index);
        paintDecision(painter, row, index);
    }
    painter->restore();
}

void ShotRowDelegate::paintFrame(QPainter* painter, const QRect& row, bool selected) const {
    const QRectF frame = QRectF(row).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->setBrush(selected ? Theme::withAlpha(Theme::kAccent, 0.095) : QColor(255, 255, 255, 5));
    painter->setPen(selected ? QPen(Theme::withAlpha(Theme::kAccent, 0.40), 1) : Qt::NoPen);
    painter->drawRoundedRect(frame, 6, 6);
}

void ShotRowDelegate::paintCheckbox(QPainter* painter, const QRect& row, bool checked) const {
    const QRectF box = QRectF(checkboxRect(row)).adjusted(0.5, 0.5, -0.5, -0.5);
    if (!checked) {
        painter->setBrush(QColor(255, 255, 255, 8));
        painter->setPen(QPen(QColor(255, 255, 255, 70), 1));
        painter->drawRoundedRect(box, 4, 4);
        return;
    }
    painter->setBrush(Theme::kAccent);
    painter->setPen(Qt::NoPen);
    painter->drawRoundedRect(box, 4, 4);
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.70);
    tick.lineTo(box.left() + box.width() * 0.77, box.top() + box.height() * 0.32);
    painter->setPen(QPen(Theme::kBackground, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(tick);
}

void ShotRowDelegate::paintThumbnail(QPainter* painter, const QRect& target, const QModelIndex& index) const {
    QPainterPath clip;
    clip.addRoundedRect(QRectF(target), 4, 4);
    painter->save();
    painter->setClipPath(clip);
    const QPixmap thumbnail =
        thumbnails_.pixmap(model_.shotAt(index.row()).thumbnail, target.size(), painter->device()->devicePixelRatioF());
    if (!thumbnail.isNull()) {
        painter->drawPixmap(target, thumbnail);
    } else {
        painter->fillRect(target, QColor(34, 36, 41));
        const int icon = std::min(20, target.height() - 6);
        painter->drawPixmap(target.center().x() - icon / 2, target.center().y() - icon / 2,
                            SymbolIcon::pixmap(QStringLiteral("film"), Theme::kTertiaryText, icon,
                                               painter->device()->devicePixelRatioF()));
    }
    painter->restore();
}

void ShotRowDelegate::paintText(QPainter* painter, const QRect& row, const QModelIndex& index) const {
    const int left = row.left() + kTextLeft;
    const int width = row.right() - kRightColumnWidth - left;
    const int top = row.top() + 10;

    painter->setFont(Theme::font(10, QFont::Normal, true));
    painter->setPen(Theme::kSecondaryText);
    drawLine(painter, QRect(left, top, width, 15), index.data(ShotListModel::ClockRangeRole).toString(), Qt::AlignLeft);

    painter->setFont(Theme::font(12, QFont::Medium));
    painter->setPen(Theme::kText);
    const QString badge = groupBadge(index);
    const int badgeWidth = badge.isEmpty() ? 0 : 34;
    const int nameWidth = drawLine(painter, QRect(left, top + 16, width - badgeWidth, 18),
                                   index.data(ShotListModel::FilmNameRole).toString(), Qt::AlignLeft);
    if (!badge.isEmpty()) drawGroupBadge(painter, left + nameWidth + 7, top + 25.5, badge);

    setCategoryPen(painter, index.data(ShotListModel::CarriedRole).toString());
    drawLine(painter, QRect(left, top + 36, width, 16), categoryLine(index), Qt::AlignLeft);
}

// One line: clock range, film name with its group badge, then the category in what is left.
void ShotRowDelegate::paintCompactText(QPainter* painter, const QRect& row, const QModelIndex& index) const {
    int left = row.left() + kCompactTextLeft;
    const int right = row.right() - kCompactRightColumnWidth;
    const auto cell = [&](int width) { return QRect(left, row.top(), std::max(0, width), row.height()); };

    painter->setFont(Theme::font(10, QFont::Normal, true));
    painter->setPen(Theme::kSecondaryText);
    left += drawLine(painter, cell(right - left), index.data(ShotListModel::ClockRangeRole).toString(), Qt::AlignLeft) +
            kCompactGap;

    painter->setFont(Theme::font(12, QFont::Medium));
    painter->setPen(Theme::kText);
    left += drawLine(painter, cell((right - left) / 2), index.data(ShotListModel::FilmNameRole).toString(),
                     Qt::AlignLeft);
    if (const QString badge = groupBadge(index); !badge.isEmpty() && right - left > 40) {
        drawGroupBadge(painter, left + 7, row.center().y() + 0.5, badge);
        left += 34;
    }
    left += kCompactGap;
    setCategoryPen(painter, index.data(ShotListModel::CarriedRole).toString());
    drawLine(painter, cell(right - left), categoryLine(index), Qt::AlignLeft);
}

void ShotRowDelegate::paintDecision(QPainter* painter, const QRect& row, const QModelIndex& index) const {
    const int right = row.right() - 12;
    const int top = row.top() + 10;
    drawDecisionPill(painter, right, top, index);

    painter->setFont(Theme::font(10, QFont::Normal, true));
    painter->setPen(Theme::kSecondaryText);
    painter->drawText(QRect(right - 100, top + 21, 100, 14), Qt::AlignRight | Qt::AlignVCenter,
                      index.data(ShotListModel::DurationRole).toString());

    if (!index.data(ShotListModel::CheckCutRole).toBool()) return;
    painter->setFont(Theme::font(9, QFont::DemiBold));
    const QString checkCut = QStringLiteral("Check cut");
    const int checkWidth = painter->fontMetrics().horizontalAdvance(checkCut);
    painter->setPen(Theme::kAccent);
    painter->drawText(QRect(right - checkWidth, top + 38, checkWidth, 14), Qt::AlignRight | Qt::AlignVCenter, checkCut);
    drawScissors(painter, right - checkWidth - 13, top + 40);
}

// One line from the right: the duration, the decision badge, and the scissors of a doubtful cut.
void ShotRowDelegate::paintCompactDecision(QPainter* painter, const QRect& row, const QModelIndex& index) const {
    const int right = row.right() - 12;
    painter->setFont(Theme::font(10, QFont::Normal, true));
    painter->setPen(Theme::kSecondaryText);
    painter->drawText(QRect(right - kCompactDurationWidth, row.top(), kCompactDurationWidth, row.height()),
                      Qt::AlignRight | Qt::AlignVCenter, index.data(ShotListModel::DurationRole).toString());
    const qreal pillLeft =
        drawDecisionPill(painter, right - kCompactDurationWidth - 8, row.center().y() - 8, index);
    if (index.data(ShotListModel::CheckCutRole).toBool())
        drawScissors(painter, static_cast<int>(pillLeft) - 16, row.center().y() - 4);
}

bool ShotRowDelegate::editorEvent(QEvent* event, QAbstractItemModel*, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) {
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!press && event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !index.isValid()) return false;
    if (press) return true;
    const Uuid shotID = model_.shotAt(index.row()).id;
    const bool toggle =
        checkboxRect(option.rect).contains(mouse->position().toPoint()) || mouse->modifiers() & Qt::ControlModifier;
    review_.focus(shotID, toggle);
    return true;
}

}  // namespace marrowick
