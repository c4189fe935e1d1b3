// The bare keys of reviewing in the window beyond the menus: frame steps, shot jumps, shuttle
// and marking the range's in and out points. Text fields keep their own keys while focused.
#pragma once

#include <QObject>

class QWidget;

namespace marrowick {

class RangeSection;
class ReviewStore;

class ReviewKeys : public QObject {
    Q_OBJECT

public:
    // The keys as the footer lists them.
    static const char* const kHint;

    ReviewKeys(ReviewStore& store, RangeSection& range, QWidget& window);
};

}  // namespace marrowick
