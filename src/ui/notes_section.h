// The inspector's provenance note: an editor and "Save note".
#pragma once

#include <optional>

#include "ui/inspector_section.h"

class QPlainTextEdit;
class QPushButton;

namespace marrowick {

class ReviewStore;

class NotesSection : public InspectorSection {
    Q_OBJECT

public:
    NotesSection(ReviewStore& store, QWidget* parent = nullptr);

    void present(const Shot& shot) override;
    // The edited note: replaced by the shot's note when the inspector takes a new draft.
    void setDraft(const std::string& note);
    QPlainTextEdit& editor() const { return *editor_; }

private:
    ReviewStore& store_;  // the edits this section makes
    QPlainTextEdit* editor_;
    QPushButton* save_;
    std::optional<Uuid> shot_;
};

}  // namespace marrowick
