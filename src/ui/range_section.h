// The inspector's range controls: in and out points, split, merge, cut score and re-indexing.
#pragma once

#include <optional>

#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

class SecondsField;

class RangeSection : public InspectorSection {
    Q_OBJECT

public:
    RangeSection(ReviewStore& store, QWidget* parent = nullptr);

    void present(const Shot& shot) override;
    // The edited range: replaced by the shot's own range when another shot becomes current or
    // the current shot's range changes.
    void setDraft(double inPoint, double outPoint);
    double inPoint() const;
    double outPoint() const;
    void markIn();
    void markOut();

    SecondsField& inField() const { return *in_; }
    SecondsField& outField() const { return *out_; }

private:
    QWidget* pointRow(const QString& title, SecondsField* field, const QString& symbol, const QString& tooltip,
                      void (RangeSection::*mark)());
    void applyRange();

    SecondsField* in_;
    SecondsField* out_;
    QLabel* score_;
    QLabel* inspect_;
    std::optional<Uuid> shot_;
};

}  // namespace marrowick
