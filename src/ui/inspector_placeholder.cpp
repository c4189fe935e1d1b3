// Layout of the inspector's placeholder.
#include "ui/inspector_placeholder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {

InspectorPlaceholder::InspectorPlaceholder(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Inspector"));
    setFixedWidth(kWidth);
    WidgetFactory::fillBackground(this, Theme::kSidebar);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 14);
    column->setSpacing(12);
    auto* header = new QHBoxLayout;
    header->setSpacing(7);
    auto* icon = new QLabel(this);
    icon->setPixmap(SymbolIcon::pixmap(QStringLiteral("sidebar.right"), Theme::kSecondaryText, 14, devicePixelRatioF()));
    header->addWidget(icon);
    header->addWidget(WidgetFactory::heading(QStringLiteral("SHOT INSPECTOR"), this), 1);
    column->addLayout(header);
    auto* line = WidgetFactory::label(
        QStringLiteral("Select a shot to set its disclosure, edit the range and inspect related shots."),
        Theme::font(12), Theme::kSecondaryText, this);
    line->setWordWrap(true);
    column->addWidget(line);
    column->addStretch(1);
}

}  // namespace marrowick
