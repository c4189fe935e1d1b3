// Painting and mouse handling of the shot library's rows.
#include "ui/shot_row_delegate.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "workspace/models/shot_list_model.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr QSize kThumbnail{108, 61};
constexpr int kPadding = 6;
constexpr int kCheckboxSize = 15;
constexpr int kCheckboxLeft = 11;
constexpr int kThumbnailLeft = kCheckboxLeft + kCheckboxSize + 11;
constexpr int kTextLeft = kThumbnailLeft + 108 + 13;
constexpr int kRightColumnWidth = 120;

QRect rowFrame(const QRect& cell) { return cell.adjusted(0, 0, 0, -ShotRowDelegate::kSpacing); }

QColor withAlpha(QColor color, qreal alpha) {
    color.setAlphaF(alpha);
    return color;
}

// Draws `text` elided into `rect`, left or right aligned; returns the width drawn.
int drawLine(QPainter* painter, const QRect& rect, const QString& text, Qt::Alignment alignment) {
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    painter->drawText(rect, alignment | Qt::AlignVCenter, shown);
    return painter->fontMetrics().horizontalAdvance(shown);
}

}  // namespace

ShotRowDelegate::ShotRowDelegate(ReviewStore& store, ShotListModel& model, QObject* parent)
    : QStyledItemDelegate(parent), store_(store), model_(model) {}

QSize ShotRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {400, kRowHeight + kSpacing};
}

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
    paintThumbnail(painter, row, index);
    paintText(painter, row, index);
    paintDecision(painter, row, index);
    painter->restore();
}

void ShotRowDelegate::paintFrame(QPainter* painter, const QRect& row, bool selected) const {
    const QRectF frame = QRectF(row).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->setBrush(selected ? withAlpha(Theme::kAccent, 0.095) : QColor(255, 255, 255, 5));
    painter->setPen(selected ? QPen(withAlpha(Theme::kAccent, 0.40), 1) : Qt::NoPen);
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

void ShotRowDelegate::paintThumbnail(QPainter* painter, const QRect& row, const QModelIndex& index) const {
    const QRect target(row.left() + kThumbnailLeft, row.top() + kPadding, kThumbnail.width(), kThumbnail.height());
    QPainterPath clip;
    clip.addRoundedRect(QRectF(target), 4, 4);
    painter->save();
    painter->setClipPath(clip);
    const QPixmap thumbnail =
        thumbnails_.pixmap(model_.shotAt(index.row()).thumbnail, kThumbnail, painter->device()->devicePixelRatioF());
    if (!thumbnail.isNull()) {
        painter->drawPixmap(target, thumbnail);
    } else {
        painter->fillRect(target, QColor(34, 36, 41));
        const int icon = 20;
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
    const qint64 group = index.data(ShotListModel::GroupRole).toLongLong();
    const QString badge = group >= 1 ? QStringLiteral("G") + QString::number(group) : QString();
    const int badgeWidth = badge.isEmpty() ? 0 : 34;
    const int nameWidth = drawLine(painter, QRect(left, top + 16, width - badgeWidth, 18),
                                   index.data(ShotListModel::FilmNameRole).toString(), Qt::AlignLeft);
    if (!badge.isEmpty()) {
        painter->setFont(Theme::font(9, QFont::DemiBold, true));
        const int textWidth = painter->fontMetrics().horizontalAdvance(badge);
        const QRectF pill(left + nameWidth + 7, top + 18.5, textWidth + 10, 14);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(100, 170, 255, 40));
        painter->drawRoundedRect(pill, 4, 4);
        painter->setPen(QColor(140, 192, 255));
        painter->drawText(pill, Qt::AlignCenter, badge);
    }

    // An earlier cut's decision waiting for the reviewer takes the category's line.
    const QString carried = index.data(ShotListModel::CarriedRole).toString();
    painter->setFont(Theme::font(11));
    painter->setPen(carried.isEmpty() ? Theme::kTertiaryText : Theme::kAccent);
    drawLine(painter, QRect(left, top + 36, width, 16),
             carried.isEmpty() ? index.data(ShotListModel::CategoryRole).toString() : carried, Qt::AlignLeft);
}

void ShotRowDelegate::paintDecision(QPainter* painter, const QRect& row, const QModelIndex& index) const {
    const int right = row.right() - 12;
    const int top = row.top() + 10;
    const auto disclosure = static_cast<Disclosure>(index.data(ShotListModel::DisclosureRole).toInt());
    const QColor color = Theme::disclosureColor(disclosure);

    painter->setFont(Theme::font(10, QFont::Medium));
    const QString title = QString::fromUtf8(disclosureTitle(disclosure).data(),
                                            static_cast<qsizetype>(disclosureTitle(disclosure).size()));
    const int titleWidth = painter->fontMetrics().horizontalAdvance(title);
    const QRectF pill(right - titleWidth - 21, top, titleWidth + 21, 17);
    painter->setPen(Qt::NoPen);
    painter->setBrush(withAlpha(color, 0.16));
    painter->drawRoundedRect(pill, 8.5, 8.5);
    painter->setBrush(color);
    painter->drawEllipse(QPointF(pill.left() + 9, pill.center().y()), 2.5, 2.5);
    painter->setPen(color);
    painter->drawText(pill.adjusted(14, 0, -7, 0), Qt::AlignVCenter | Qt::AlignLeft, title);

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
    painter->drawPixmap(right - checkWidth - 13, top + 40,
                        SymbolIcon::pixmap(QStringLiteral("scissors"), Theme::kAccent, 10,
                                           painter->device()->devicePixelRatioF()));
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
    store_.focus(shotID, toggle);
    return true;
}

}  // namespace marrowick
