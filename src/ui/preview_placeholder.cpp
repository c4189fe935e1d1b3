// The empty state the preview region shows.
#include "ui/preview_placeholder.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"

namespace marrowick {

PreviewPlaceholder::PreviewPlaceholder(ReviewStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("PreviewPane"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#PreviewPane { background: #0c0c0e; border: 1px solid #222328; border-radius: 8px; }"));
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    auto* icon = new QLabel(this);
    icon->setPixmap(SymbolIcon::pixmap(QStringLiteral("film.stack"), Theme::kTertiaryText, 40, devicePixelRatioF()));
    title_ = WidgetFactory::label({}, Theme::font(17, QFont::DemiBold), Theme::kText, this);
    auto* line = WidgetFactory::label(QStringLiteral("Import multiple edits. Find every shot. Review once."),
                                      Theme::font(12), Theme::kSecondaryText, this);
    for (QLabel* label : {icon, title_, line}) {
        label->setAlignment(Qt::AlignCenter);
        column->addWidget(label);
    }
    column->addStretch(1);
    connect(&store_, &ReviewStore::projectChanged, this, &PreviewPlaceholder::refresh);
    refresh();
}

void PreviewPlaceholder::refresh() {
    title_->setText(store_.project().shots.empty() ? QStringLiteral("Bring your films into focus")
                                                   : QStringLiteral("Select a shot to review"));
}

}  // namespace marrowick
