// The review keys as a table of key and action.
#include "ui/review_keys.h"

#include <functional>

#include <QShortcut>
#include <QWidget>

#include "ui/range_section.h"
#include "workspace/review_document.h"
#include "workspace/transport.h"

namespace marrowick {
namespace {

constexpr int kLongStep = 10;  // frames a Shift+arrow step moves

}  // namespace

const char* const ReviewKeys::kHint =
    "\u2190\u2192 Frame   \u2191\u2193 Shot   \u21e7J K L Shuttle   I/O In/Out   \\ Loop   M Mute   F Full screen";

ReviewKeys::ReviewKeys(ReviewDocument& review, RangeSection& range, QWidget& window) : QObject(&window) {
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_Left), [&review] { review.transport().stepFrame(-1); }},
        {QKeySequence(Qt::Key_Right), [&review] { review.transport().stepFrame(1); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_Left), [&review] { review.transport().stepFrame(-kLongStep); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_Right), [&review] { review.transport().stepFrame(kLongStep); }},
        {QKeySequence(Qt::Key_Home), [&review] { review.transport().goToFilmEdge(-1); }},
        {QKeySequence(Qt::Key_End), [&review] { review.transport().goToFilmEdge(1); }},
        {QKeySequence(Qt::Key_Backslash), [&review] { review.transport().toggleLoop(); }},
        {QKeySequence(Qt::Key_M), [&review] { review.transport().toggleMute(); }},
        {QKeySequence(Qt::Key_F), [&review] { review.transport().setFullScreen(!review.presentation().fullScreen); }},
        {QKeySequence(Qt::Key_Up), [&review] { review.transport().jumpToShot(-1); }},
        {QKeySequence(Qt::Key_Down), [&review] { review.transport().jumpToShot(1); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_J), [&review] { review.transport().shuttle(-1); }},
        {QKeySequence(Qt::Key_K), [&review] { review.transport().stopShuttle(); }},
        {QKeySequence(Qt::Key_L), [&review] { review.transport().shuttle(1); }},
        {QKeySequence(Qt::Key_I), [&range] { range.markIn(); }},
        {QKeySequence(Qt::Key_O), [&range] { range.markOut(); }},
    };
    for (const auto& [sequence, action] : keys) {
        auto* shortcut = new QShortcut(sequence, &window);
        connect(shortcut, &QShortcut::activated, this, action);
    }
    // Escape leaves full screen only; elsewhere it stays with the widget that has focus.
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    leave->setEnabled(review.presentation().fullScreen);
    connect(leave, &QShortcut::activated, this, [&review] { review.transport().setFullScreen(false); });
    connect(&review, &ReviewDocument::presentationChanged, leave,
            [leave, &review] { leave->setEnabled(review.presentation().fullScreen); });
}

}  // namespace marrowick
