// The review keys as a table of key and action.
#include "ui/review_keys.h"

#include <functional>

#include <QShortcut>
#include <QWidget>

#include "ui/range_section.h"
#include "workspace/review_store.h"

namespace marrowick {

const char* const ReviewKeys::kHint =
    "\u2190\u2192 Frame   \u2191\u2193 Shot   \u21e7J K L Shuttle   I/O In/Out";

ReviewKeys::ReviewKeys(ReviewStore& store, RangeSection& range, QWidget& window) : QObject(&window) {
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_Left), [&store] { store.stepFrame(-1); }},
        {QKeySequence(Qt::Key_Right), [&store] { store.stepFrame(1); }},
        {QKeySequence(Qt::Key_Up), [&store] { store.jumpToShot(-1); }},
        {QKeySequence(Qt::Key_Down), [&store] { store.jumpToShot(1); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_J), [&store] { store.shuttle(-1); }},
        {QKeySequence(Qt::Key_K), [&store] { store.stopShuttle(); }},
        {QKeySequence(Qt::Key_L), [&store] { store.shuttle(1); }},
        {QKeySequence(Qt::Key_I), [&range] { range.markIn(); }},
        {QKeySequence(Qt::Key_O), [&range] { range.markOut(); }},
    };
    for (const auto& [sequence, action] : keys) {
        auto* shortcut = new QShortcut(sequence, &window);
        connect(shortcut, &QShortcut::activated, this, action);
    }
}

}  // namespace marrowick
