// Title rows, sections, captions and labelled rows in the sheets' style.
#include "ui/sheet_layout.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QPushButton>
#include <QScrollArea>

#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick::SheetLayout {

QPushButton* header(QBoxLayout& column, const QString& title, int titleSize, const QString& buttonText, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->addWidget(WidgetFactory::label(title, Theme::font(titleSize, QFont::DemiBold), Theme::kText, parent));
    line->addStretch(1);
    auto* button = WidgetFactory::button(buttonText, {}, "prominent", parent);
    button->setDefault(true);
    line->addWidget(button);
    column.addLayout(line);
    return button;
}

QVBoxLayout* doneSheet(QDialog& sheet, const QString& title, const QSize& size) {
    sheet.setWindowTitle(title);
    sheet.setWindowModality(Qt::WindowModal);
    sheet.resize(size);
    auto* column = new QVBoxLayout(&sheet);
    column->setContentsMargins(24, 24, 24, 24);
    QPushButton* done = header(*column, title, 23, QStringLiteral("Done"), &sheet);
    QObject::connect(done, &QPushButton::clicked, &sheet, &QDialog::accept);
    return column;
}

QVBoxLayout* scrollingDoneSheet(QDialog& sheet, const QString& title, const QSize& size) {
    QVBoxLayout* outer = doneSheet(sheet, title, size);
    auto* area = new QScrollArea(&sheet);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(area);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 12, 0);  // room for the scroll bar
    area->setWidget(content);
    area->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    outer->addWidget(area, 1);
    return column;
}

void section(QBoxLayout& column, const QString& title, QWidget* parent) {
    column.addSpacing(10);
    column.addWidget(WidgetFactory::label(title, Theme::font(14, QFont::DemiBold), Theme::kText, parent));
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* result = WidgetFactory::label(text, Theme::font(11), Theme::kSecondaryText, parent);
    result->setWordWrap(true);
    return result;
}

QHBoxLayout* row(const QString& title, QWidget* field, QWidget* parent) {
    auto* line = new QHBoxLayout;
    auto* name = WidgetFactory::label(title, Theme::font(12), Theme::kText, parent);
    name->setMinimumWidth(170);
    name->setBuddy(field);
    line->addWidget(name);
    line->addWidget(field, 1);
    return line;
}

void showText(QLineEdit& field, const QString& text) {
    if (field.text() == text) return;
    const QSignalBlocker blocker(&field);
    field.setText(text);
}

}  // namespace marrowick::SheetLayout
