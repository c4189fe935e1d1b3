// What the shot library shows instead of an empty list: a symbol, a title and a hint.
#pragma once

#include <QWidget>

class QLabel;

namespace marrowick {

class EmptyState : public QWidget {
    Q_OBJECT

public:
    explicit EmptyState(QWidget* parent = nullptr);

    void present(const QString& symbol, const QString& title, const QString& hint);
    // Places a control, centred, under the hint.
    void addAccessory(QWidget* accessory);
    QString title() const;
    QString hint() const;

private:
    QLabel* icon_;
    QLabel* title_;
    QLabel* hint_;
};

}  // namespace marrowick
