// The centred placeholder of an empty shot library.
#include "ui/empty_state.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {

EmptyState::EmptyState(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setSpacing(6);
    column->addStretch(1);
    icon_ = new QLabel(this);
    title_ = WidgetFactory::label({}, Theme::font(15, QFont::DemiBold), Theme::kText, this);
    hint_ = WidgetFactory::label({}, Theme::font(12), Theme::kSecondaryText, this);
    for (QLabel* label : {icon_, title_, hint_}) {
        label->setAlignment(Qt::AlignCenter);
        column->addWidget(label);
    }
    column->insertSpacing(2, 6);
    column->addStretch(1);
}

void EmptyState::present(const QString& symbol, const QString& title, const QString& hint) {
    icon_->setPixmap(SymbolIcon::pixmap(symbol, Theme::kTertiaryText, 38, devicePixelRatioF()));
    title_->setText(title);
    hint_->setText(hint);
}

void EmptyState::addAccessory(QWidget* accessory) {
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertSpacing(column->count() - 1, 8);
    column->insertWidget(column->count() - 1, accessory, 0, Qt::AlignHCenter);
}

QString EmptyState::title() const { return title_->text(); }

QString EmptyState::hint() const { return hint_->text(); }

}  // namespace marrowick
