// The header reads the project summary and offers the document commands.
#include "ui/review_header.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/store_operations.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

// "2 films  ·  140 shots  ·  12 reviewed"
QString summary(const Project& project) {
    const QString separator = QStringLiteral("  \u00b7  ");
    return QString::number(project.films.size()) + QStringLiteral(" films") + separator +
           QString::number(project.shots.size()) + QStringLiteral(" shots") + separator +
           QString::number(project.reviewed()) + QStringLiteral(" reviewed");
}

}  // namespace

ReviewHeader::ReviewHeader(ReviewStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("ReviewHeader"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(18, 10, 16, 10);
    row->setSpacing(10);

    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    name_ = WidgetFactory::label({}, Theme::font(17, QFont::DemiBold), Theme::kText, this);
    counts_ = WidgetFactory::label({}, Theme::font(11), Theme::kSecondaryText, this);
    text->addWidget(name_);
    text->addWidget(counts_);
    row->addLayout(text);
    row->addStretch(1);

    autosaved_ = WidgetFactory::label(QStringLiteral("Autosaved locally"), Theme::font(11), Theme::kTertiaryText, this);
    row->addWidget(autosaved_);

    save_ = WidgetFactory::button({}, QStringLiteral("square.and.arrow.down"), nullptr, this);
    save_->setToolTip(QStringLiteral("Save a review project \u00b7 Ctrl+S"));
    save_->setAccessibleName(QStringLiteral("Save"));
    connect(save_, &QPushButton::clicked, this, [this] { store_.save(false); });
    row->addWidget(save_);

    export_ = exportMenu();
    row->addWidget(export_);

    import_ = WidgetFactory::button(QStringLiteral("Import films"), QStringLiteral("plus"), "prominent", this);
    connect(import_, &QPushButton::clicked, this, [this] { StoreOperations::importDialog(store_); });
    row->addWidget(import_);

    connect(&store_, &ReviewStore::projectChanged, this, &ReviewHeader::refreshSummary);
    connect(&store_, &ReviewStore::documentChanged, this, &ReviewHeader::refreshControls);
    connect(&store_, &ReviewStore::activityChanged, this, &ReviewHeader::refreshControls);
    refreshSummary();
    refreshControls();
}

QToolButton* ReviewHeader::exportMenu() {
    auto* button = new QToolButton(this);
    button->setText(QStringLiteral("Export"));
    button->setIcon(SymbolIcon::icon(QStringLiteral("square.and.arrow.up"), Theme::kText, 14));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setCursor(Qt::PointingHandCursor);
    auto* menu = new QMenu(button);
    menu->addAction(QStringLiteral("Review package \u00b7 CSV + JSON + icons"), this,
                    [this] { StoreOperations::exportReports(store_); });
    menu->addAction(QStringLiteral("Review report\u2026"), this, [this] { StoreOperations::exportReviewReport(store_); });
    menu->addAction(QStringLiteral("Delivery && mastering presets\u2026"), this, [this] {
        PresentationState presentation = store_.presentation();
        presentation.deliverySettings = true;
        store_.setPresentation(presentation);
    });
    menu->addAction(QStringLiteral("Native MOV display copies\u2026"), this,
                    [this] { StoreOperations::exportVideos(store_); });
    menu->addAction(QStringLiteral("Timeline for the editor \u00b7 OTIO or EDL\u2026"), this,
                    [this] { StoreOperations::exportTimeline(store_); });
    button->setMenu(menu);
    return button;
}

void ReviewHeader::refreshSummary() {
    const Project& project = store_.project();
    name_->setText(QString::fromStdString(project.name));
    counts_->setText(summary(project));
}

void ReviewHeader::refreshControls() {
    const bool busy = store_.busy();
    autosaved_->setVisible(store_.dirty());
    save_->setEnabled(!busy);
    export_->setEnabled(!busy);
    import_->setEnabled(!busy);
}

}  // namespace marrowick
