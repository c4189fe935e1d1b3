// Selection lookups and the player's focus on the current shot.
#include "workspace/shot_navigation.h"

#include <cmath>

namespace marrowick::ShotNavigation {
namespace {

double onPlayerGrid(double seconds) { return std::round(seconds * kPlayerTimescale) / kPlayerTimescale; }

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    return a.lexically_normal() == b.lexically_normal();
}

std::optional<Uuid> firstUnreviewed(const VisibleShots& visible, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (visible[i].disclosure == Disclosure::unreviewed) return visible[i].id;
    return std::nullopt;
}

}  // namespace

std::optional<Shot> selected(const Project& project, const std::set<Uuid>& selection) {
    if (selection.empty()) return std::nullopt;
    for (const Shot& shot : project.shots)
        if (selection.contains(shot.id)) return shot;
    return std::nullopt;
}

std::optional<Uuid> nextUnreviewed(const VisibleShots& visible, const std::optional<Uuid>& current) {
    const std::optional<std::size_t> at = current ? visible.position(*current) : std::nullopt;
    const std::size_t start = at ? *at + 1 : 0;
    if (auto found = firstUnreviewed(visible, start, visible.size())) return found;
    return firstUnreviewed(visible, 0, visible.size());
}

void focus(MediaPlayer& player, const Shot* shot, const Film* film) {
    if (!shot || !film) {
        player.pause();
        return;
    }
    const std::filesystem::path file(film->path);
    const auto current = player.currentItem();
    if (!current || !sameFile(*current, file)) player.replaceItem(file);
    player.pause();
    if (player.currentItem()) player.setForwardPlaybackEnd(onPlayerGrid(shot->end));
    player.seek(onPlayerGrid(shot->start));
}

}  // namespace marrowick::ShotNavigation
