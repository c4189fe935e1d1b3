// Builders for labels, headings, dividers and buttons in the application's style.
#include "ui/widget_factory.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>

#include "ui/symbol_icon.h"
#include "ui/theme.h"

namespace marrowick::WidgetFactory {

QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* result = new QLabel(parent);
    result->setTextFormat(Qt::PlainText);
    result->setText(text);
    result->setFont(font);
    setTextColor(result, color);
    return result;
}

void plainLabels(QWidget& widget) {
    for (QLabel* label : widget.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
}

QString plainToolTip(const QString& text) { return Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal); }

QLabel* heading(const QString& text, QWidget* parent) {
    QFont font = Theme::font(10, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    return label(text, font, Theme::kTertiaryText, parent);
}

QHBoxLayout* titledRow(const QString& title, int titleWidth, QWidget* field, QWidget* parent) {
    auto* row = new QHBoxLayout;
    QLabel* name = label(title, Theme::font(11), Theme::kText, parent);
    name->setFixedWidth(titleWidth);
    row->addWidget(name);
    row->addWidget(field, 1);
    return row;
}

QFrame* divider(bool vertical, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setProperty("divider", true);
    line->setFrameShape(QFrame::NoFrame);
    if (vertical) line->setFixedWidth(1);
    else line->setFixedHeight(1);
    return line;
}

QPushButton* button(const QString& text, const QString& symbol, const char* style, QWidget* parent) {
    auto* result = new QPushButton(text, parent);
    if (style) result->setProperty(style, true);
    const bool prominent = style && QByteArray(style) == "prominent";
    if (!symbol.isEmpty())
        result->setIcon(SymbolIcon::icon(symbol, prominent ? QColor(19, 20, 23) : Theme::kText, 14));
    result->setCursor(Qt::PointingHandCursor);
    result->setFocusPolicy(Qt::TabFocus);
    return result;
}

void fillBackground(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

}  // namespace marrowick::WidgetFactory
