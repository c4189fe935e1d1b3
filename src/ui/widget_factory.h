// Small builders for the labels, headings and dividers every pane uses.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace marrowick::WidgetFactory {

// Labels show their text as plain text: names, notes and messages come from files and users, and
// markup in them must show literally rather than format or load anything.
QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
// Every label inside `widget` (a message box's text and informative text) shows plain text.
void plainLabels(QWidget& widget);
// A tooltip that shows `text` literally, even when it looks like markup.
QString plainToolTip(const QString& text);
// An upper-case, letter-spaced section heading ("REVIEW", "SHOT LIBRARY").
QLabel* heading(const QString& text, QWidget* parent = nullptr);
// A row of `title` in 11-pixel text, `titleWidth` pixels wide, and `field` taking the rest.
QHBoxLayout* titledRow(const QString& title, int titleWidth, QWidget* field, QWidget* parent);
// A one-pixel line; vertical when `vertical`.
QFrame* divider(bool vertical, QWidget* parent = nullptr);
// A button with a tinted symbol; `style` is a style-sheet flag ("prominent", "plain", "small").
QPushButton* button(const QString& text, const QString& symbol, const char* style, QWidget* parent = nullptr);
// Paints the widget's background in `color`.
void fillBackground(QWidget* widget, const QColor& color);
// Sets the text colour of a label through its palette.
void setTextColor(QWidget* widget, const QColor& color);

}  // namespace marrowick::WidgetFactory
