// Painting of the on/off switch.
#include "ui/toggle_switch.h"

#include <QPainter>

#include "ui/theme.h"

namespace marrowick {
namespace {

constexpr int kTrackWidth = 28;
constexpr int kTrackHeight = 16;
constexpr int kGap = 7;

}  // namespace

ToggleSwitch::ToggleSwitch(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFont(Theme::font(12));
}

QSize ToggleSwitch::sizeHint() const {
    return {kTrackWidth + kGap + fontMetrics().horizontalAdvance(text()) + 2, 22};
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(isEnabled() ? QColor(206, 207, 212) : Theme::kTertiaryText);
    painter.drawText(QRect(0, 0, width() - kTrackWidth - kGap, height()), Qt::AlignVCenter | Qt::AlignRight, text());

    const QRectF track(width() - kTrackWidth, (height() - kTrackHeight) / 2.0, kTrackWidth, kTrackHeight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isChecked() ? Theme::kAccent : QColor(62, 64, 72));
    painter.drawRoundedRect(track, kTrackHeight / 2.0, kTrackHeight / 2.0);
    const qreal knob = kTrackHeight - 4;
    const qreal knobLeft = isChecked() ? track.right() - knob - 2 : track.left() + 2;
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(knobLeft, track.top() + 2, knob, knob));
}

}  // namespace marrowick
