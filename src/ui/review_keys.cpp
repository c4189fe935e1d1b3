// The review keys as a table of key and action.
#include "ui/review_keys.h"

#include <functional>

#include <QShortcut>
#include <QWidget>

#include "ui/range_section.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr int kLongStep = 10;  // frames a Shift+arrow step moves

}  // namespace

const char* const ReviewKeys::kHint =
    "\u2190\u2192 Frame   \u2191\u2193 Shot   \u21e7J K L Shuttle   I/O In/Out   \\ Loop   M Mute   F Full screen";

ReviewKeys::ReviewKeys(ReviewStore& store, RangeSection& range, QWidget& window) : QObject(&window) {
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_Left), [&store] { store.transport().stepFrame(-1); }},
        {QKeySequence(Qt::Key_Right), [&store] { store.transport().stepFrame(1); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_Left), [&store] { store.transport().stepFrame(-kLongStep); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_Right), [&store] { store.transport().stepFrame(kLongStep); }},
        {QKeySequence(Qt::Key_Home), [&store] { store.transport().goToFilmEdge(-1); }},
        {QKeySequence(Qt::Key_End), [&store] { store.transport().goToFilmEdge(1); }},
        {QKeySequence(Qt::Key_Backslash), [&store] { store.transport().toggleLoop(); }},
        {QKeySequence(Qt::Key_M), [&store] { store.transport().toggleMute(); }},
        {QKeySequence(Qt::Key_F), [&store] { store.transport().setFullScreen(!store.presentation().fullScreen); }},
        {QKeySequence(Qt::Key_Up), [&store] { store.transport().jumpToShot(-1); }},
        {QKeySequence(Qt::Key_Down), [&store] { store.transport().jumpToShot(1); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_J), [&store] { store.transport().shuttle(-1); }},
        {QKeySequence(Qt::Key_K), [&store] { store.transport().stopShuttle(); }},
        {QKeySequence(Qt::Key_L), [&store] { store.transport().shuttle(1); }},
        {QKeySequence(Qt::Key_I), [&range] { range.markIn(); }},
        {QKeySequence(Qt::Key_O), [&range] { range.markOut(); }},
    };
    for (const auto& [sequence, action] : keys) {
        auto* shortcut = new QShortcut(sequence, &window);
        connect(shortcut, &QShortcut::activated, this, action);
    }
    // Escape leaves full screen only; elsewhere it stays with the widget that has focus.
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    leave->setEnabled(store.presentation().fullScreen);
    connect(leave, &QShortcut::activated, this, [&store] { store.transport().setFullScreen(false); });
    connect(&store, &ReviewStore::presentationChanged, leave,
            [leave, &store] { leave->setEnabled(store.presentation().fullScreen); });
}

}  // namespace marrowick
