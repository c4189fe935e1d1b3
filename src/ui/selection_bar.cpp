// Deciding the whole selection from the bar over the shot list.
#include "ui/selection_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"

namespace marrowick {

SelectionBar::SelectionBar(ReviewStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("SelectionBar"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#SelectionBar { background: rgba(255,159,10,0.07); border: 1px solid "
                                 "rgba(255,159,10,0.22); border-radius: 7px; }"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 5, 6, 5);
    row->setSpacing(6);
    count_ = WidgetFactory::label({}, Theme::font(12, QFont::DemiBold), Theme::kText, this);
    row->addWidget(count_);
    row->addStretch(1);
    for (const Disclosure disclosure : {Disclosure::none, Disclosure::modified, Disclosure::generated}) {
        const std::string_view title = disclosureTitle(disclosure);
        auto* button = WidgetFactory::button(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), {},
                                             "small", this);
        const QColor color = Theme::disclosureColor(disclosure);
        button->setStyleSheet(QStringLiteral("QPushButton { color: %1; }").arg(color.name()));
        connect(button, &QPushButton::clicked, this, [this, disclosure] { store_.decide(disclosure); });
        row->addWidget(button);
    }
    auto* next = WidgetFactory::button(QStringLiteral("Next unreviewed \u2192"), {}, "small", this);
    connect(next, &QPushButton::clicked, this, [this] { store_.nextUnreviewed(); });
    row->addWidget(next);

    connect(&store_, &ReviewStore::selectionChanged, this, &SelectionBar::refresh);
    connect(&store_, &ReviewStore::activityChanged, this, &SelectionBar::refresh);
    refresh();
}

void SelectionBar::refresh() {
    const std::size_t selected = store_.selection().size();
    setVisible(selected > 0);
    setEnabled(!store_.busy());
    count_->setText(QString::number(selected) + QStringLiteral(" selected"));
}

}  // namespace marrowick
