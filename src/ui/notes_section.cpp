// Writing the current shot's note from the inspector.
#include "ui/notes_section.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_store.h"

namespace marrowick {

NotesSection::NotesSection(ReviewStore& store, QWidget* parent)
    : InspectorSection(store, QStringLiteral("Provenance & review notes"), parent), store_(store) {
    editor_ = new QPlainTextEdit(this);
    editor_->setFixedHeight(75);
    editor_->setFont(Theme::font(11));
    editor_->setAccessibleName(QStringLiteral("Provenance & review notes"));
    column()->addWidget(editor_);
    save_ = WidgetFactory::button(QStringLiteral("Save note"), {}, "small", this);
    column()->addWidget(save_, 0, Qt::AlignLeft);
    connect(save_, &QPushButton::clicked, this, [this] {
        if (shot_) store_.setNote(*shot_, editor_->toPlainText().toStdString());
    });
}

void NotesSection::present(const Shot& shot) {
    shot_ = shot.id;
    save_->setEnabled(!store_.busy());
}

void NotesSection::setDraft(const std::string& note) { editor_->setPlainText(QString::fromStdString(note)); }

}  // namespace marrowick
