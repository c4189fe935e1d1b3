// The right-hand column: the current shot's decision, range, group, note and assistant.
#pragma once

#include <optional>
#include <tuple>

#include <QScrollArea>

#include "model/uuid.h"

class QLabel;

namespace marrowick {

class AssistantSection;
class DisclosureSection;
class GroupSection;
class InspectorSection;
class NotesSection;
class RangeSection;
class ReviewStore;

class Inspector : public QScrollArea {
    Q_OBJECT

public:
    static constexpr int kWidth = 306;

    explicit Inspector(ReviewStore& store, QWidget* parent = nullptr);

    DisclosureSection& disclosure() const { return *disclosure_; }
    RangeSection& range() const { return *range_; }
    GroupSection& group() const { return *group_; }
    NotesSection& notes() const { return *notes_; }
    AssistantSection& assistant() const { return *assistant_; }
    // Places the label layout controls under the decision; shown while the layout editor is on.
    void hostLabelLayoutControls(QWidget* controls);

private:
    void refresh();
    // Copies the current shot's range and note into the edited values when the shot or its
    // range changed since the last copy.
    void updateDraft();

    ReviewStore& store_;
    QLabel* noShot_;
    QWidget* sections_;
    QWidget* layoutSlot_;
    DisclosureSection* disclosure_;
    RangeSection* range_;
    GroupSection* group_;
    NotesSection* notes_;
    AssistantSection* assistant_;
    std::optional<std::tuple<Uuid, double, double>> drafted_;
};

}  // namespace marrowick
