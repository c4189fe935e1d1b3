// The inspector's film sign-off: the current shot's film, whether it is signed off and by whom,
// and the button that signs it off.
#pragma once

#include "model/uuid.h"
#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

class ReviewStore;

class SignOffSection : public InspectorSection {
    Q_OBJECT

public:
    SignOffSection(ReviewStore& store, ReviewDocument& review, QWidget* parent = nullptr);

    void present(const Shot& shot) override;

private:
    ReviewStore& store_;  // signs the film off
    QLabel* state_;
    QPushButton* signOff_;
    Uuid filmID_;
};

}  // namespace marrowick
