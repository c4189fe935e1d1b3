// Building blocks shared by the window's sheets: the title row with its default button, section
// headings, wrapped captions and labelled rows.
#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSize;
class QVBoxLayout;
class QWidget;

namespace marrowick::SheetLayout {

// The title at `titleSize` pixels, semibold, and a default button `buttonText` at the right.
// Returns the button so the sheet can connect it.
QPushButton* header(QBoxLayout& column, const QString& title, int titleSize, const QString& buttonText, QWidget* parent);

// Titles `sheet`, makes it window-modal at `size` with the sheets' margins and puts the header
// with a "Done" button (which accepts the sheet) on top. Returns the column the sheet fills.
QVBoxLayout* doneSheet(QDialog& sheet, const QString& title, const QSize& size);

// The same sheet whose column scrolls under the fixed header, for sheets taller than a small screen.
QVBoxLayout* scrollingDoneSheet(QDialog& sheet, const QString& title, const QSize& size);

// A section title above the section's rows.
void section(QBoxLayout& column, const QString& title, QWidget* parent);

// Secondary text that wraps.
QLabel* caption(const QString& text, QWidget* parent);

// `title` at the left, `field` taking the rest of the row.
QHBoxLayout* row(const QString& title, QWidget* field, QWidget* parent);

// Shows the text unless the field already holds it, so typing keeps its cursor; no edit signal.
void showText(QLineEdit& field, const QString& text);

}  // namespace marrowick::SheetLayout
