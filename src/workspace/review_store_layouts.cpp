// The edits of label layouts for the output the preview shows: each one undoable.
#include "workspace/review_store.h"

namespace marrowick {

void ReviewStore::changeLayout(const std::string& key, const LabelLayoutChange& change) {
    const std::optional<LayoutOutput> output = layouts_.layoutOutput();
    if (!output) return;
    edit([&](Project& project) {
        const LabelLayout layout = applied(LayoutPlacement::shown(project, key, *output), change);
        layout.validate(safeZoneIDs_);
        if (!project.labelLayouts) project.labelLayouts.emplace();
        (*project.labelLayouts)[key] = layout;
    });
}

void ReviewStore::resetLayout(const std::string& key) {
    if (!layouts_.layoutOutput()) return;
    edit([&](Project& project) {
        if (project.labelLayouts) project.labelLayouts->erase(key);
    });
}

void ReviewStore::fitInGuide(const std::string& key, const std::string& corner) {
    const std::optional<LayoutOutput> output = layouts_.layoutOutput();
    if (!output || busy()) return;
    const LabelLayout layout = LayoutPlacement::shown(project_, key, *output);
    LabelLayout fitted;
    if (!attempt([&] { fitted = LayoutPlacement::fitted(layout, corner, layouts_.guideOf(layout, *output), *output); }))
        return;
    changeLayout(key, LayoutChange::Whole{fitted});
}

}  // namespace marrowick
