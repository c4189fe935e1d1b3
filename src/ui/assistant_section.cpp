// The assistant's controls and answer in the inspector.
#include "ui/assistant_section.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/assistant_service.h"
#include "workspace/review_document.h"

namespace marrowick {

AssistantSection::AssistantSection(ReviewDocument& review, QWidget* parent)
    : InspectorSection(review, QStringLiteral("Local assistant"), parent) {
    auto* shield = new QLabel(this);
    shield->setPixmap(SymbolIcon::pixmap(QStringLiteral("lock.shield"), Theme::kSecondaryText, 13, devicePixelRatioF()));
    headingRow()->insertWidget(0, shield);
    column()->addWidget(caption(QStringLiteral("Descriptions and review questions only. Labels always stay under your control."), 10));

    connected_ = new QWidget(this);
    auto* connectedColumn = new QVBoxLayout(connected_);
    connectedColumn->setContentsMargins(0, 0, 0, 0);
    model_ = WidgetFactory::label({}, Theme::font(10, QFont::Normal, true), Theme::kSecondaryText, connected_);
    connectedColumn->addWidget(model_);
    auto* buttons = new QHBoxLayout;
    describe_ = WidgetFactory::button(QStringLiteral("Describe shot"), {}, "small", connected_);
    checkCut_ = WidgetFactory::button(QStringLiteral("Check cut"), {}, "small", connected_);
    buttons->addWidget(describe_, 1);
    buttons->addWidget(checkCut_, 1);
    connectedColumn->addLayout(buttons);
    column()->addWidget(connected_);
    connect_ = WidgetFactory::button(QStringLiteral("Connect a local vision model\u2026"), {}, "small", this);
    column()->addWidget(connect_, 0, Qt::AlignLeft);
    note_ = WidgetFactory::label({}, Theme::font(10), Theme::kText, this);
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note_->setObjectName(QStringLiteral("AssistantNote"));
    note_->setStyleSheet(QStringLiteral("#AssistantNote { background: rgba(255,255,255,0.03); border-radius: 6px; padding: 6px; }"));
    column()->addWidget(note_);

    // A description of the current shot, or a review of the cut at its start.
    connect(describe_, &QPushButton::clicked, this, [this] { review_.assistant().ask(false); });
    connect(checkCut_, &QPushButton::clicked, this, [this] { review_.assistant().ask(true); });
    connect(connect_, &QPushButton::clicked, this, [this] {
        PresentationState presentation = review_.presentation();
        presentation.settings = true;
        review_.setPresentation(presentation);
    });
}

void AssistantSection::present(const Shot& shot) {
    const std::string& modelName = review_.assistant().state().modelName;
    connected_->setVisible(!modelName.empty());
    connect_->setVisible(modelName.empty());
    model_->setText(QString::fromStdString(modelName));
    const bool available = !review_.busy();
    describe_->setEnabled(available);
    checkCut_->setEnabled(available);
    note_->setVisible(!shot.assistantNote.empty());
    note_->setText(QString::fromStdString(shot.assistantNote));
}

}  // namespace marrowick
