// Layout and bindings of the delivery window.
#include "ui/delivery_view.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include "delivery/preset_operations.h"
#include "ui/framing_choice.h"
#include "ui/preset_editor.h"
#include "ui/preset_list_filter.h"
#include "ui/preset_row.h"
#include "ui/sheet_layout.h"
#include "ui/store_operations.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/toggle_switch.h"
#include "ui/widget_factory.h"
#include "workspace/delivery_setup.h"
#include "workspace/review_document.h"

namespace marrowick {

DeliveryView::DeliveryView(ReviewStore& store, ReviewDocument& review, QWidget* parent)
    : QDialog(parent), store_(store), review_(review) {
    QVBoxLayout* column = SheetLayout::doneSheet(*this, QStringLiteral("Delivery & mastering"), QSize(720, 820));
    column->setContentsMargins(24, 24, 24, 20);
    column->setSpacing(10);
    column->addWidget(SheetLayout::caption(
        QStringLiteral("29 Castmere catalogue targets + ProRes masters. All encoding runs on this computer. Choose one or "
                       "several presets; custom presets are saved locally."),
        this));
    buildTools(*column);
    buildList(*column);
    buildChoices(*column);
    buildButtons(*column);

    connect(&review_.deliverySetup(), &DeliverySetup::presetsChanged, this, &DeliveryView::rebuildRows);
    connect(&review_.deliverySetup(), &DeliverySetup::deliveryChanged, this, [this] {
        refreshTools();
        refreshChoices();
    });
    connect(&review_, &ReviewDocument::projectChanged, this, &DeliveryView::refreshChoices);
    refreshTools();
    rebuildRows();
}

void DeliveryView::buildTools(QVBoxLayout& column) {
    auto* line = new QHBoxLayout;
    toolsSymbol_ = new QLabel(this);
    toolsText_ = WidgetFactory::label({}, Theme::font(12), Theme::kText, this);
    auto* locate = new QPushButton(QStringLiteral("Locate FFmpeg…"), this);
    connect(locate, &QPushButton::clicked, this, [this] { review_.deliverySetup().locateFFmpeg(); });
    line->addWidget(toolsSymbol_);
    line->addWidget(toolsText_, 1);
    line->addWidget(locate);
    column.addLayout(line);

    auto* searchLine = new QHBoxLayout;
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Search presets"));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, &DeliveryView::rebuildRows);
    auto* create = new QPushButton(QStringLiteral("New preset…"), this);
    connect(create, &QPushButton::clicked, this, [this] { edit(PresetOperations::newMasteringPreset()); });
    auto* more = new QToolButton(this);
    more->setText(QStringLiteral("More"));
    more->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(more);
    showArchived_ = menu->addAction(QStringLiteral("Show archived presets"));
    showArchived_->setCheckable(true);
    connect(showArchived_, &QAction::toggled, this, &DeliveryView::rebuildRows);
    menu->addAction(QStringLiteral("Import presets JSON…"), this, [this] { review_.deliverySetup().importPresets(); });
    menu->addAction(QStringLiteral("Export presets JSON…"), this, [this] { review_.deliverySetup().exportPresets(); });
    more->setMenu(menu);
    searchLine->addWidget(search_, 1);
    searchLine->addWidget(create);
    searchLine->addWidget(more);
    column.addLayout(searchLine);
}

void DeliveryView::buildList(QVBoxLayout& column) {
    auto* content = new QWidget(this);
    WidgetFactory::fillBackground(content, Theme::kPanel);
    list_ = new QVBoxLayout(content);
    list_->setContentsMargins(4, 4, 4, 4);
    list_->setSpacing(0);
    list_->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    column.addWidget(scroll, 1);
}

void DeliveryView::buildChoices(QVBoxLayout& column) {
    framing_ = new QComboBox(this);
    FramingChoice::fill(*framing_, QStringLiteral("Fit · pad edges"), QStringLiteral("Fill · crop edges"));
    connect(framing_, &QComboBox::activated, this, [this](int index) {
        DeliveryChoices choices = review_.deliverySetup().delivery();
        choices.deliveryFraming = FramingChoice::at(*framing_, index);
        review_.deliverySetup().setDelivery(std::move(choices));
    });
    auto* line = SheetLayout::row(QStringLiteral("Exact-raster framing"), framing_, this);
    counts_ = WidgetFactory::label({}, Theme::font(12), Theme::kSecondaryText, this);
    line->addSpacing(16);
    line->addWidget(counts_);
    column.addLayout(line);
    rec709_ = new ToggleSwitch(QStringLiteral("For untagged sources, assume SDR Rec.709"), this);
    connect(rec709_, &ToggleSwitch::clicked, this, [this](bool on) {
        DeliveryChoices choices = review_.deliverySetup().delivery();
        choices.assumeRec709 = on;
        review_.deliverySetup().setDelivery(std::move(choices));
    });
    column.addWidget(rec709_);
    column.addWidget(SheetLayout::caption(
        QStringLiteral("Source duration is preserved; hard duration limits block export. Exact-rate presets convert "
                       "frame rate. HDR/linear sources require a colour-managed finish and are blocked. PCM masters "
                       "preserve all source audio tracks; delivery presets use their specified mapping. Encoded outputs "
                       "are probed before completion."),
        this));
}

void DeliveryView::buildButtons(QVBoxLayout& column) {
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    auto* native = new QPushButton(QStringLiteral("Native display copy…"), this);
    // The labelled display copies of every film, with the review package.
    connect(native, &QPushButton::clicked, this, [this] { closeThen([this] { StoreOperations::exportVideos(store_); }); });
    export_ = WidgetFactory::button(QStringLiteral("Export selected presets…"), {}, "prominent", this);
    connect(export_, &QPushButton::clicked, this, [this] { closeThen([this] { StoreOperations::exportDelivery(store_); }); });
    line->addWidget(native);
    line->addWidget(export_);
    column.addLayout(line);
}

void DeliveryView::rebuildRows() {
    for (PresetRow* row : rows_) row->deleteLater();
    rows_.clear();
    const auto edit = [this](const DeliveryPreset& preset) { this->edit(preset); };
    const auto leave = [this] { accept(); };
    for (const DeliveryPreset* preset :
         PresetListFilter::listed(review_.deliverySetup().presets(), search_->text(), showArchived_->isChecked())) {
        auto* row = new PresetRow(review_, *preset, edit, leave, list_->parentWidget());
        list_->insertWidget(list_->count() - 1, row);
        rows_.push_back(row);
    }
    refreshChoices();
}

void DeliveryView::refreshChoices() {
    const DeliveryChoices& choices = review_.deliverySetup().delivery();
    for (PresetRow* row : rows_) row->refresh();
    FramingChoice::select(*framing_, choices.deliveryFraming);
    rec709_->setChecked(choices.assumeRec709);
    counts_->setText(QStringLiteral("%1 selected · %2 source film(s)")
                         .arg(choices.deliveryKeys.size())
                         .arg(review_.project().films.size()));
    export_->setEnabled(!choices.deliveryKeys.empty() && !review_.project().shots.empty() && toolsFound_);
}

void DeliveryView::refreshTools() {
    toolsFound_ = review_.deliverySetup().ffmpegTools().has_value();
    const QColor tint = toolsFound_ ? Theme::kGreen : Theme::kAccent;
    toolsSymbol_->setPixmap(SymbolIcon::pixmap(toolsFound_ ? QStringLiteral("checkmark.circle")
                                                            : QStringLiteral("exclamationmark.triangle"),
                                               tint, 16, devicePixelRatioF()));
    toolsText_->setText(toolsFound_ ? QStringLiteral("Local FFmpeg + FFprobe found")
                                    : QStringLiteral("Select a local FFmpeg installation"));
    WidgetFactory::setTextColor(toolsText_, tint);
}

void DeliveryView::edit(const DeliveryPreset& preset) {
    if (editor_) return;
    editor_ = new PresetEditor(preset, [this](const DeliveryPreset& edited) { return review_.deliverySetup().savePreset(edited); }, this);
    editor_->setAttribute(Qt::WA_DeleteOnClose);
    editor_->open();
}

void DeliveryView::closeThen(const std::function<void()>& operation) {
    accept();
    operation();
}

}  // namespace marrowick
