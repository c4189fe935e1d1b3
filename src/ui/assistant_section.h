// The inspector's local assistant: the model in use, the two requests and the shot's answer.
#pragma once

#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

class AssistantSection : public InspectorSection {
    Q_OBJECT

public:
    AssistantSection(ReviewDocument& review, QWidget* parent = nullptr);

    void present(const Shot& shot) override;

private:
    QWidget* connected_;
    QLabel* model_;
    QPushButton* describe_;
    QPushButton* checkCut_;
    QPushButton* connect_;
    QLabel* note_;
};

}  // namespace marrowick
