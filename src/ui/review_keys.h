// The bare keys of reviewing in the window beyond the menus: frame steps, shot jumps, shuttle
// and marking the range's in and out points. Text fields keep their own keys while focused.
#pragma once

#include <QObject>

class QWidget;

namespace marrowick {

class RangeSection;
class ReviewDocument;

class ReviewKeys : public QObject {
    Q_OBJECT

public:
    // The keys as the footer lists them.
    static const char* const kHint;

    ReviewKeys(ReviewDocument& review, RangeSection& range, QWidget& window);
};

}  // namespace marrowick
