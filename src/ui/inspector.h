// The right-hand column: the current shot's decision, range, group, note and assistant.
#pragma once

#include <optional>
#include <tuple>

#include <QScrollArea>

#include "model/uuid.h"

class QLabel;

namespace marrowick {

class AssistantSection;
class SignOffSection;
class DisclosureSection;
class GroupSection;
class InspectorSection;
class NotesSection;
class RangeSection;
class ReviewDocument;
class ReviewStore;

class Inspector : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int kWidth = 306;

    Inspector(ReviewStore& store, ReviewDocument& review, QWidget* parent = nullptr);

    DisclosureSection& disclosure() const { return *disclosure_; }
    RangeSection& range() const { return *range_; }
    GroupSection& group() const { return *group_; }
    NotesSection& notes() const { return *notes_; }
    AssistantSection& assistant() const { return *assistant_; }
    // Places the label layout controls under the decision; shown while the layout editor is on.
    void hostLabelLayoutControls(QWidget* controls);

private:
    void refresh();
    // Shows the current shot's texts when the shot changed since the last call: its unsaved
    // draft if it has one, else its saved range and note. When only its range changed (an edit),
    // the range fields take the new range and a typed note stays.
    void updateDraft();
    // Keeps the controller's drafts current with the fields: a shot whose texts differ from its
    // saved note or range holds a draft, marked "Unsaved" in its sections.
    void recordDraft();

    ReviewStore& store_;  // handed to the sections that edit
    ReviewDocument& review_;
    QLabel* noShot_;
    QWidget* sections_;
    QWidget* layoutSlot_;
    DisclosureSection* disclosure_;
    RangeSection* range_;
    GroupSection* group_;
    NotesSection* notes_;
    AssistantSection* assistant_;
    SignOffSection* signOff_;
    std::optional<std::tuple<Uuid, double, double>> drafted_;
    bool showingDraft_ = false;  // the fields are being filled, not typed in
};

}  // namespace marrowick
