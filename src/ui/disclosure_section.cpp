// Deciding the selection from the inspector.
#include "ui/disclosure_section.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "disclosure/label_assets.h"
#include "model/carried_decisions.h"
#include "ui/label_option_button.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/toggle_switch.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

QWidget* awaitingLine(QWidget* parent) {
    auto* line = new QWidget(parent);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* icon = new QLabel(line);
    icon->setPixmap(SymbolIcon::pixmap(QStringLiteral("circle.dashed"), Theme::kSecondaryText, 13, line->devicePixelRatioF()));
    row->addWidget(icon);
    row->addWidget(WidgetFactory::label(QStringLiteral("Awaiting human review"), Theme::font(11), Theme::kSecondaryText, line), 1);
    return line;
}

QPixmap artwork(const std::filesystem::path& resourceRoot, Disclosure disclosure, LabelStyle style) {
    const std::optional<std::filesystem::path> file = LabelAssets::url(resourceRoot, disclosure, style);
    return file ? QPixmap(QString::fromStdString(file->string())) : QPixmap();
}

}  // namespace

DisclosureSection::DisclosureSection(ReviewStore& store, QWidget* parent)
    : InspectorSection(store, QStringLiteral("Disclosure"), parent), store_(store) {
    awaiting_ = awaitingLine(this);
    column()->addWidget(awaiting_);
    carried_ = caption({}, 11);
    carried_->setWordWrap(true);
    column()->addWidget(carried_);
    acceptCarried_ = WidgetFactory::button(QStringLiteral("Accept earlier decision"), {}, nullptr, this);
    column()->addWidget(acceptCarried_, 0, Qt::AlignLeft);
    requiresLabel_ = new ToggleSwitch(QStringLiteral("Requires an AI label"), this);
    column()->addWidget(requiresLabel_, 0, Qt::AlignLeft);
    modified_ = new LabelOptionButton(Disclosure::modified, QStringLiteral("1"), this);
    generated_ = new LabelOptionButton(Disclosure::generated, QStringLiteral("2"), this);
    addPair(modified_, generated_);
    reviewed_ = WidgetFactory::button({}, {}, nullptr, this);
    reset_ = WidgetFactory::button(QStringLiteral("Reset to unreviewed"), {}, "plain", this);
    column()->addWidget(reviewed_);
    column()->addWidget(reset_, 0, Qt::AlignLeft);
    selectionLine_ = caption({}, 10);
    column()->addWidget(selectionLine_);

    // The switch reacts to the user's click only; present() sets its state without deciding.
    connect(requiresLabel_, &QAbstractButton::clicked, this,
            [this](bool on) { store_.decide(on ? Disclosure::modified : Disclosure::none); });
    for (LabelOptionButton* option : {modified_, generated_})
        connect(option, &QAbstractButton::clicked, this, [this, option] { store_.decide(option->disclosure()); });
    connect(reviewed_, &QPushButton::clicked, this, [this] { store_.decide(Disclosure::none); });
    connect(reset_, &QPushButton::clicked, this, [this] { store_.decide(Disclosure::unreviewed); });
    connect(acceptCarried_, &QPushButton::clicked, this, [this] { store_.acceptCarried(); });
}

void DisclosureSection::present(const Shot& shot) {
    setEnabled(!store_.busy());
    awaiting_->setVisible(shot.disclosure == Disclosure::unreviewed);
    const bool carried = shot.carriedFrom && shot.disclosure == Disclosure::unreviewed;
    carried_->setVisible(carried);
    acceptCarried_->setVisible(carried);
    if (carried)
        carried_->setText(QStringLiteral("Earlier cut: %1 \u00b7 %2")
                              .arg(QString::fromUtf8(disclosureTitle(shot.carriedFrom->disclosure).data()),
                                   QString::fromStdString(carriedRange(store_.project(), *shot.carriedFrom))));
    requiresLabel_->setChecked(shot.disclosure == Disclosure::modified || shot.disclosure == Disclosure::generated);
    modified_->setChecked(shot.disclosure == Disclosure::modified);
    generated_->setChecked(shot.disclosure == Disclosure::generated);
    showArtwork(LabelAssets::styleOrWhite(store_.project().labelStyle));
    const bool none = shot.disclosure == Disclosure::none;
    reviewed_->setText(none ? QStringLiteral("Reviewed \u00b7 no label") : QStringLiteral("Mark reviewed \u00b7 no label"));
    reviewed_->setIcon(none ? SymbolIcon::icon(QStringLiteral("checkmark.circle.fill"), Theme::kGreen, 14)
                            : SymbolIcon::icon(QStringLiteral("checkmark.circle"), Theme::kText, 14));
    selectionLine_->setText(QStringLiteral("Selection applies to %1 shot(s). AI involvement and legal scope are confirmed by you.")
                                .arg(store_.selection().size()));
}

void DisclosureSection::showArtwork(LabelStyle style) {
    if (artworkStyle_ == style) return;
    artworkStyle_ = style;
    for (LabelOptionButton* option : {modified_, generated_})
        option->setArtwork(artwork(store_.resourceRoot(), option->disclosure(), style));
}

}  // namespace marrowick
