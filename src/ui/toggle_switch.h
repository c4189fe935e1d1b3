// A labelled on/off switch ("Group similar").
#pragma once

#include <QAbstractButton>

namespace marrowick {

class ToggleSwitch : public QAbstractButton {
    Q_OBJECT

public:
    explicit ToggleSwitch(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace marrowick
