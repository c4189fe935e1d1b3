// The inspector's visual group: its badge, how many related shots across how many films, and
// the buttons that show or select them.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/inspector_section.h"

class QPushButton;

namespace marrowick {

struct Project;

class GroupSection : public InspectorSection {
    Q_OBJECT

public:
    GroupSection(ReviewDocument& review, QWidget* parent = nullptr);

    void present(const Shot& shot) override;

    // The shots of the project in `group` (none for group 0), the current shot included.
    static std::vector<Uuid> related(const Project& project, std::int64_t group);

private:
    QLabel* badge_;
    QLabel* count_;
    QPushButton* view_;
    QPushButton* select_;
    QLabel* category_;
    std::int64_t group_ = 0;
};

}  // namespace marrowick
