// The inspector's local assistant: the model in use, the two requests and the shot's answer.
#pragma once

#include <functional>

#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

class AssistantSection : public InspectorSection {
    Q_OBJECT

public:
    // Asks the assistant about the current shot: a description (false) or its cut (true).
    using Request = std::function<void(bool boundary)>;

    AssistantSection(ReviewStore& store, QWidget* parent = nullptr);

    // Without a request the two buttons stay disabled.
    void setRequest(Request request);
    void present(const Shot& shot) override;

private:
    Request request_;
    QWidget* connected_;
    QLabel* model_;
    QPushButton* describe_;
    QPushButton* checkCut_;
    QPushButton* connect_;
    QLabel* note_;
};

}  // namespace marrowick
