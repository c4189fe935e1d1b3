// Painting of a decision choice with its label artwork.
#include "ui/label_option_button.h"

#include <QPainter>

#include "ui/symbol_icon.h"
#include "ui/theme.h"

namespace marrowick {
namespace {

constexpr int kButtonPadding = 8;
constexpr int kMark = 14;

}  // namespace

LabelOptionButton::LabelOptionButton(Disclosure disclosure, const QString& key, QWidget* parent)
    : QAbstractButton(parent), disclosure_(disclosure), key_(key) {
    const std::string_view title = disclosureTitle(disclosure);
    setText(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFont(Theme::font(11, QFont::Medium));
}

void LabelOptionButton::setArtwork(const QPixmap& artwork) {
    artwork_ = artwork;
    update();
}

QSize LabelOptionButton::sizeHint() const { return {130, kArtworkHeight + 2 * kButtonPadding + 22}; }

void LabelOptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool chosen = isChecked();
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setBrush(chosen ? Theme::withAlpha(Theme::kAccent, 0.09) : QColor(255, 255, 255, 6));
    painter.setPen(QPen(chosen ? Theme::withAlpha(Theme::kAccent, 0.5) : QColor(255, 255, 255, 20), 1));
    painter.drawRoundedRect(frame, 7, 7);
    if (!isEnabled()) painter.setOpacity(0.45);

    const QRect art(kButtonPadding, kButtonPadding, width() - 2 * kButtonPadding, kArtworkHeight);
    if (!artwork_.isNull()) {
        const QSize fitted = artwork_.size().scaled(art.size(), Qt::KeepAspectRatio);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRect(art.topLeft(), fitted), artwork_);
    }
    const int lineTop = art.bottom() + 6;
    const QString mark = chosen ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle");
    painter.drawPixmap(kButtonPadding, lineTop + 2,
                       SymbolIcon::pixmap(mark, chosen ? Theme::kAccent : Theme::kSecondaryText, kMark,
                                          devicePixelRatioF()));
    const QRect textRect(kButtonPadding + kMark + 5, lineTop, width() - 2 * kButtonPadding - kMark - 5, 18);
    painter.setPen(Theme::kText);
    painter.setFont(font());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text());
    painter.setPen(Theme::kTertiaryText);
    painter.setFont(Theme::font(10, QFont::Normal, true));
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignRight, key_);
}

}  // namespace marrowick
