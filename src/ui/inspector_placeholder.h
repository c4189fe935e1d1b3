// The inspector's region until the inspector arrives: its header and its no-shot line.
#pragma once

#include <QWidget>

namespace marrowick {

class InspectorPlaceholder : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 306;

    explicit InspectorPlaceholder(QWidget* parent = nullptr);
};

}  // namespace marrowick
