// Painting of a sidebar navigation entry.
#include "ui/nav_entry.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/symbol_icon.h"
#include "ui/theme.h"

namespace marrowick {
namespace {

constexpr int kHeight = 28;
constexpr int kIconSize = 15;
constexpr int kInset = 9;

}  // namespace

NavEntry::NavEntry(QString symbol, QString title, QWidget* parent)
    : QAbstractButton(parent), symbol_(std::move(symbol)), symbolColor_(Theme::kSecondaryText) {
    setText(title);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(title);
}

void NavEntry::setSymbol(const QString& symbol, const QColor& color) {
    symbol_ = symbol;
    symbolColor_ = color;
    update();
}

void NavEntry::setCount(std::optional<std::size_t> count) {
    if (count_ == count) return;
    count_ = count;
    update();
}

QSize NavEntry::sizeHint() const { return {180, kHeight}; }

void NavEntry::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void NavEntry::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void NavEntry::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 1, -0.5, -1);
    if (isChecked() || hovered_) {
        QColor fill = isChecked() ? Theme::kAccent : QColor(255, 255, 255);
        fill.setAlphaF(isChecked() ? 0.16 : 0.05);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(frame, 6, 6);
    }
    const QColor iconColor = isChecked() ? Theme::kAccent : symbolColor_;
    const int iconTop = (height() - kIconSize) / 2;
    painter.drawPixmap(kInset, iconTop, SymbolIcon::pixmap(symbol_, iconColor, kIconSize, devicePixelRatioF()));

    const int textLeft = kInset + kIconSize + 9;
    int textRight = width() - kInset;
    if (count_) {
        painter.setFont(Theme::font(11, QFont::Medium, true));
        painter.setPen(isChecked() ? Theme::kText : Theme::kTertiaryText);
        const QString count = QString::number(*count_);
        const int countWidth = painter.fontMetrics().horizontalAdvance(count);
        painter.drawText(QRect(textRight - countWidth, 0, countWidth, height()), Qt::AlignVCenter, count);
        textRight -= countWidth + 8;
    }
    painter.setFont(Theme::font(12, isChecked() ? QFont::DemiBold : QFont::Normal));
    painter.setPen(isChecked() ? Theme::kText : QColor(206, 207, 212));
    const QRect textRect(textLeft, 0, textRight - textLeft, height());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(text(), Qt::ElideMiddle, textRect.width()));
}

}  // namespace marrowick
