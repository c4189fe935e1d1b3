// One section of the inspector: a heading over controls that show the current shot.
#pragma once

#include <QWidget>

#include "model/shot.h"

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace marrowick {

class ReviewDocument;

class InspectorSection : public QWidget {
    Q_OBJECT

public:
    // Shows the current shot; called whenever the controller's state changes.
    virtual void present(const Shot& shot) = 0;
    // Shows or hides the "Unsaved" mark beside the heading.
    void markUnsaved(bool unsaved);
    bool markedUnsaved() const;

protected:
    InspectorSection(ReviewDocument& review, const QString& heading, QWidget* parent);

    QVBoxLayout* column() const { return column_; }
    // The heading's row, for a badge or an icon beside it.
    QHBoxLayout* headingRow() const { return headingRow_; }
    // A wrapped line of secondary text in `pixels` size.
    QLabel* caption(const QString& text, int pixels = 11);
    // Two widgets side by side, sharing the width.
    void addPair(QWidget* left, QWidget* right);

    ReviewDocument& review_;

private:
    QVBoxLayout* column_;
    QHBoxLayout* headingRow_;
    QLabel* unsaved_;
};

}  // namespace marrowick
