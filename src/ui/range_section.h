// The inspector's range controls: in and out points, split, merge, cut score and re-indexing.
#pragma once

#include <optional>

#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

class ReviewStore;

class TimeField;

class RangeSection : public InspectorSection {
    Q_OBJECT

public:
    RangeSection(ReviewStore& store, QWidget* parent = nullptr);

    void present(const Shot& shot) override;
    // Counts the fields in the shot's film and the chosen time display.
    void setCounting(const Shot& shot);
    // The edited range: replaced by the shot's own range when another shot becomes current or
    // the current shot's range changes.
    void setDraft(double inPoint, double outPoint);
    double inPoint() const;
    double outPoint() const;
    void markIn();
    void markOut();

    TimeField& inField() const { return *in_; }
    TimeField& outField() const { return *out_; }

private:
    ReviewStore& store_;  // the edits this section makes
    QWidget* pointRow(const QString& title, TimeField* field, const QString& symbol, const QString& tooltip,
                      void (RangeSection::*mark)());
    void applyRange();

    TimeField* in_;
    TimeField* out_;
    QLabel* units_;
    QLabel* score_;
    QLabel* inspect_;
    std::optional<Uuid> shot_;
};

}  // namespace marrowick
