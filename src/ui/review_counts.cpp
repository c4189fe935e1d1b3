// One pass over the shots for the sidebar's counts.
#include "ui/review_counts.h"

#include "workspace/visible_shots.h"

namespace marrowick {

ReviewCounts ReviewCounts::of(const Project& project) {
    ReviewCounts counts;
    for (const Shot& shot : project.shots) {
        ++counts.shots;
        if (shot.disclosure == Disclosure::unreviewed) ++counts.needsReview;
        if (shot.disclosure == Disclosure::modified || shot.disclosure == Disclosure::generated) ++counts.labelled;
        if (shot.boundaryScore < kUncertainBelow) ++counts.uncertain;
        if (shot.carriedFrom && shot.disclosure == Disclosure::unreviewed) ++counts.carried;
        ++counts.perFilm[shot.filmID];
    }
    return counts;
}

}  // namespace marrowick
