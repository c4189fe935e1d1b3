// Layout shared by the inspector's sections.
#include "ui/inspector_section.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {

InspectorSection::InspectorSection(ReviewDocument& review, const QString& heading, QWidget* parent)
    : QWidget(parent), review_(review) {
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(8);
    headingRow_ = new QHBoxLayout;
    headingRow_->setSpacing(6);
    headingRow_->addWidget(WidgetFactory::label(heading, Theme::font(12, QFont::DemiBold), Theme::kText, this));
    headingRow_->addStretch(1);
    unsaved_ = WidgetFactory::label(QStringLiteral("Unsaved"), Theme::font(10, QFont::DemiBold), Theme::kAccent, this);
    unsaved_->setVisible(false);
    headingRow_->addWidget(unsaved_);
    column_->addLayout(headingRow_);
}

void InspectorSection::markUnsaved(bool unsaved) { unsaved_->setVisible(unsaved); }

bool InspectorSection::markedUnsaved() const { return !unsaved_->isHidden(); }

QLabel* InspectorSection::caption(const QString& text, int pixels) {
    QLabel* line = WidgetFactory::label(text, Theme::font(pixels), Theme::kSecondaryText, this);
    line->setWordWrap(true);
    return line;
}

void InspectorSection::addPair(QWidget* left, QWidget* right) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(left, 1);
    row->addWidget(right, 1);
    column_->addLayout(row);
}

}  // namespace marrowick
