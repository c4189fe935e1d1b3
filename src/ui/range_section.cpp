// Editing the current shot's range from the inspector.
#include "ui/range_section.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/time_field.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"
#include "workspace/transport.h"

namespace marrowick {
namespace {

constexpr double kInspectBelow = 0.8;

QWidget* scoreChip(QLabel* score, QLabel* inspect, QWidget* parent) {
    auto* chip = new QWidget(parent);
    chip->setObjectName(QStringLiteral("CutScore"));
    chip->setAttribute(Qt::WA_StyledBackground);
    chip->setStyleSheet(QStringLiteral("#CutScore { background: rgba(255,255,255,0.05); border-radius: 6px; }"));
    auto* row = new QHBoxLayout(chip);
    row->setContentsMargins(8, 4, 8, 4);
    row->setSpacing(5);
    auto* icon = new QLabel(chip);
    icon->setPixmap(SymbolIcon::pixmap(QStringLiteral("scissors"), Theme::kSecondaryText, 12, chip->devicePixelRatioF()));
    row->addWidget(icon);
    score->setParent(chip);
    inspect->setParent(chip);
    row->addWidget(score);
    row->addWidget(inspect);
    row->addStretch(1);
    return chip;
}

QString unitsCaption(TimeDisplay display) {
    const QString rest = QStringLiteral(" \u00b7 out is exclusive \u00b7 edits snap to actual source frames");
    switch (display) {
        case TimeDisplay::timecode: return QStringLiteral("Timecode") + rest;
        case TimeDisplay::frames: return QStringLiteral("Frames") + rest;
        case TimeDisplay::seconds: return QStringLiteral("Seconds") + rest;
    }
    return QStringLiteral("Seconds") + rest;
}

}  // namespace

RangeSection::RangeSection(ReviewStore& store, QWidget* parent)
    : InspectorSection(store, QStringLiteral("Range & boundaries"), parent), store_(store) {
    in_ = new TimeField(QStringLiteral("In: timecode, #frame or seconds"), this);
    out_ = new TimeField(QStringLiteral("Out: timecode, #frame or seconds"), this);
    column()->addWidget(pointRow(QStringLiteral("IN"), in_, QStringLiteral("arrow.down.to.line"),
                                 QStringLiteral("Set in at playhead"), &RangeSection::markIn));
    column()->addWidget(pointRow(QStringLiteral("OUT"), out_, QStringLiteral("arrow.up.to.line"),
                                 QStringLiteral("Set out at playhead"), &RangeSection::markOut));
    units_ = caption({}, 10);
    column()->addWidget(units_);
    auto* apply = WidgetFactory::button(QStringLiteral("Apply range"), {}, nullptr, this);
    column()->addWidget(apply);
    auto* split = WidgetFactory::button(QStringLiteral("Split at playhead"), {}, "small", this);
    auto* merge = WidgetFactory::button(QStringLiteral("Merge next"), {}, "small", this);
    addPair(split, merge);
    column()->addWidget(caption(QStringLiteral("Neighbouring boundaries move together. Changed shots return to unreviewed."), 10));
    score_ = WidgetFactory::label({}, Theme::font(10, QFont::Normal, true), Theme::kText, this);
    inspect_ = WidgetFactory::label(QStringLiteral("Inspect"), Theme::font(10, QFont::DemiBold), Theme::kAccent, this);
    column()->addWidget(scoreChip(score_, inspect_, this));
    auto* refresh = WidgetFactory::button(QStringLiteral("Refresh visual index"), {}, "small", this);
    column()->addWidget(refresh, 0, Qt::AlignLeft);

    connect(apply, &QPushButton::clicked, this, &RangeSection::applyRange);
    connect(split, &QPushButton::clicked, this, [this] {
        if (shot_) store_.split(*shot_, store_.transport().playhead());
    });
    connect(merge, &QPushButton::clicked, this, [this] {
        if (shot_) store_.mergeWithNext(*shot_);
    });
    connect(refresh, &QPushButton::clicked, this, [this] { store_.refreshImages(); });
}

QWidget* RangeSection::pointRow(const QString& title, TimeField* field, const QString& symbol,
                                const QString& tooltip, void (RangeSection::*mark)()) {
    auto* line = new QWidget(this);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    auto* name = WidgetFactory::label(title, Theme::font(10, QFont::DemiBold), Theme::kSecondaryText, line);
    name->setFixedWidth(28);
    row->addWidget(name);
    field->setParent(line);
    row->addWidget(field, 1);
    auto* button = new QToolButton(line);
    button->setIcon(SymbolIcon::icon(symbol, Theme::kText, 14));
    button->setToolTip(tooltip);
    button->setAccessibleName(tooltip);
    button->setProperty("plain", true);
    connect(button, &QToolButton::clicked, this, mark);
    row->addWidget(button);
    return line;
}

void RangeSection::present(const Shot& shot) {
    shot_ = shot.id;
    setEnabled(!store_.busy());
    score_->setText(QStringLiteral("Cut score ") + QString::number(shot.boundaryScore, 'f', 2));
    inspect_->setVisible(shot.boundaryScore < kInspectBelow);
}

void RangeSection::setCounting(const Shot& shot) {
    const Film* film = store_.project().film(shot.filmID);
    const TimeDisplay display = store_.presentation().timeDisplay;
    for (TimeField* field : {in_, out_})
        field->setCounting(film ? std::optional<Film>(*film) : std::nullopt, display);
    units_->setText(unitsCaption(display));
}

void RangeSection::setDraft(double inPoint, double outPoint) {
    in_->setValue(inPoint);
    out_->setValue(outPoint);
}

double RangeSection::inPoint() const { return in_->value(); }

double RangeSection::outPoint() const { return out_->value(); }

void RangeSection::markIn() { in_->setValue(store_.transport().playhead()); }

void RangeSection::markOut() { out_->setValue(store_.transport().playhead()); }

void RangeSection::applyRange() {
    in_->commit();
    out_->commit();
    if (shot_) store_.moveRange(*shot_, in_->value(), out_->value());
}

}  // namespace marrowick
