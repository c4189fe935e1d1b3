// The current shot's visual group in the inspector.
#include "ui/group_section.h"

#include <set>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_document.h"

namespace marrowick {

GroupSection::GroupSection(ReviewDocument& review, QWidget* parent)
    : InspectorSection(review, QStringLiteral("Related shots"), parent) {
    badge_ = WidgetFactory::label({}, Theme::font(10, QFont::DemiBold), Theme::kText, this);
    badge_->setObjectName(QStringLiteral("GroupBadge"));
    badge_->setStyleSheet(QStringLiteral("#GroupBadge { background: rgba(100,170,255,0.16); border-radius: 4px; padding: 1px 6px; }"));
    headingRow()->addWidget(badge_);
    count_ = caption({});
    column()->addWidget(count_);
    view_ = WidgetFactory::button(QStringLiteral("View group"), {}, "small", this);
    select_ = WidgetFactory::button(QStringLiteral("Select group"), {}, "small", this);
    addPair(view_, select_);
    category_ = caption({}, 10);
    column()->addWidget(category_);

    connect(view_, &QPushButton::clicked, this, [this] { review_.setFilter(ShotFilter::ofGroup(group_)); });
    connect(select_, &QPushButton::clicked, this, [this] {
        const std::vector<Uuid> ids = related(review_.project(), group_);
        review_.setSelection(std::set<Uuid>(ids.begin(), ids.end()));
    });
}

std::vector<Uuid> GroupSection::related(const Project& project, std::int64_t group) {
    std::vector<Uuid> ids;
    if (group <= 0) return ids;
    for (const Shot& shot : project.shots)
        if (shot.group == group) ids.push_back(shot.id);
    return ids;
}

void GroupSection::present(const Shot& shot) {
    group_ = shot.group;
    badge_->setText(group_ > 0 ? QStringLiteral("G%1").arg(group_) : QStringLiteral("Not indexed"));
    std::size_t shots = 0;
    std::set<Uuid> films;
    for (const Shot& other : review_.project().shots) {
        if (group_ <= 0 || other.group != group_) continue;
        ++shots;
        films.insert(other.filmID);
    }
    count_->setText(QStringLiteral("%1 visually similar shot(s) across %2 film(s)").arg(shots).arg(films.size()));
    view_->setEnabled(group_ > 0);
    select_->setEnabled(group_ > 0);
    category_->setText(QString::fromStdString(shot.category));
}

}  // namespace marrowick
