// Composition of the inspector and when it takes a new draft.
#include "ui/inspector.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/assistant_section.h"
#include "ui/disclosure_section.h"
#include "ui/group_section.h"
#include "ui/notes_section.h"
#include "ui/range_section.h"
#include "ui/sign_off_section.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/time_field.h"
#include "ui/widget_factory.h"
#include "workspace/assistant_service.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

QLayout* header(QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(7);
    auto* icon = new QLabel(parent);
    icon->setPixmap(SymbolIcon::pixmap(QStringLiteral("sidebar.right"), Theme::kSecondaryText, 14, parent->devicePixelRatioF()));
    row->addWidget(icon);
    row->addWidget(WidgetFactory::heading(QStringLiteral("SHOT INSPECTOR"), parent), 1);
    return row;
}

}  // namespace

Inspector::Inspector(ReviewStore& store, ReviewDocument& review, QWidget* parent)
    : QScrollArea(parent), store_(store), review_(review) {
    setObjectName(QStringLiteral("Inspector"));
    setFixedWidth(kWidth);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(this);
    WidgetFactory::fillBackground(content, Theme::kSidebar);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(16, 14, 16, 14);
    column->setSpacing(12);
    column->addLayout(header(content));
    noShot_ = WidgetFactory::label(
        QStringLiteral("Select a shot to set its disclosure, edit the range and inspect related shots."),
        Theme::font(12), Theme::kSecondaryText, content);
    noShot_->setWordWrap(true);
    column->addWidget(noShot_);

    sections_ = new QWidget(content);
    auto* stack = new QVBoxLayout(sections_);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(14);
    disclosure_ = new DisclosureSection(store_, sections_);
    layoutSlot_ = new QWidget(sections_);
    auto* slotColumn = new QVBoxLayout(layoutSlot_);
    slotColumn->setContentsMargins(0, 0, 0, 0);
    slotColumn->setSpacing(14);
    slotColumn->addWidget(WidgetFactory::divider(false, layoutSlot_));
    range_ = new RangeSection(store_, sections_);
    group_ = new GroupSection(review_, sections_);
    notes_ = new NotesSection(store_, sections_);
    assistant_ = new AssistantSection(review_, sections_);
    signOff_ = new SignOffSection(store_, review_, sections_);
    stack->addWidget(disclosure_);
    stack->addWidget(WidgetFactory::divider(false, sections_));
    stack->addWidget(layoutSlot_);
    for (QWidget* section : std::initializer_list<QWidget*>{range_, group_, notes_, assistant_, signOff_}) {
        stack->addWidget(section);
        if (section != signOff_) stack->addWidget(WidgetFactory::divider(false, sections_));
    }
    column->addWidget(sections_);
    column->addStretch(1);
    setWidget(content);

    for (auto signal : {&ReviewDocument::projectChanged, &ReviewDocument::selectionChanged, &ReviewDocument::activityChanged,
                        &ReviewDocument::presentationChanged})
        connect(&review_, signal, this, &Inspector::refresh);
    connect(&review_.assistant(), &AssistantService::assistantChanged, this, &Inspector::refresh);
    connect(&notes_->editor(), &QPlainTextEdit::textChanged, this, &Inspector::recordDraft);
    for (TimeField* field : {&range_->inField(), &range_->outField()})
        connect(field, &QLineEdit::textChanged, this, &Inspector::recordDraft);
    refresh();
}

void Inspector::hostLabelLayoutControls(QWidget* controls) {
    auto* slotColumn = static_cast<QVBoxLayout*>(layoutSlot_->layout());
    slotColumn->insertWidget(0, controls);
}

void Inspector::refresh() {
    const std::optional<Shot> shot = review_.selected();
    noShot_->setVisible(!shot);
    sections_->setVisible(shot.has_value());
    layoutSlot_->setVisible(review_.presentation().editLabelLayout);
    if (!shot) return;
    showingDraft_ = true;  // re-showing the fields in another counting is no typing
    range_->setCounting(*shot);
    showingDraft_ = false;
    updateDraft();
    for (InspectorSection* section : std::initializer_list<InspectorSection*>{disclosure_, range_, group_, notes_, assistant_, signOff_})
        section->present(*shot);
    recordDraft();
}

void Inspector::updateDraft() {
    const std::optional<Shot> shot = review_.selected();
    if (!shot) return;
    const auto key = std::make_tuple(shot->id, shot->start, shot->end);
    if (drafted_ == key) return;
    const bool sameShot = drafted_ && std::get<0>(*drafted_) == shot->id;
    drafted_ = key;
    showingDraft_ = true;
    if (sameShot) {
        range_->setDraft(shot->start, shot->end);
    } else if (const ShotDraft* draft = review_.drafts().find(shot->id)) {
        const ShotDraft kept = *draft;
        range_->setDraft(shot->start, shot->end);  // what a text that does not parse falls back to
        range_->inField().setText(QString::fromStdString(kept.inText));
        range_->outField().setText(QString::fromStdString(kept.outText));
        notes_->setDraft(kept.note);
    } else {
        range_->setDraft(shot->start, shot->end);
        notes_->setDraft(shot->note);
    }
    showingDraft_ = false;
}

void Inspector::recordDraft() {
    const std::optional<Shot> shot = review_.selected();
    if (showingDraft_ || !shot) return;
    ShotDraft draft{notes_->editor().toPlainText().toStdString(), range_->inField().text().toStdString(),
                    range_->outField().text().toStdString()};
    const bool noteUnsaved = draft.note != shot->note;
    const bool rangeUnsaved = range_->inField().text() != range_->inField().format(shot->start) ||
                              range_->outField().text() != range_->outField().format(shot->end);
    if (noteUnsaved || rangeUnsaved) review_.drafts().set(shot->id, std::move(draft));
    else review_.drafts().clear(shot->id);
    notes_->markUnsaved(noteUnsaved);
    range_->markUnsaved(rangeUnsaved);
}

}  // namespace marrowick
