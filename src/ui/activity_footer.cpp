// The footer follows the controller's activity and messages.
#include "ui/activity_footer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ui/review_keys.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

ActivityFooter::ActivityFooter(ReviewDocument& review, QWidget* parent) : QWidget(parent), review_(review) {
    setObjectName(QStringLiteral("ActivityFooter"));
    setFixedHeight(34);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    row->setSpacing(9);

    progress_ = new QProgressBar(this);
    progress_->setFixedWidth(140);
    progress_->setRange(0, kProgressSteps);
    progress_->setTextVisible(false);
    activity_ = WidgetFactory::label({}, Theme::font(12), Theme::kText, this);
    cancel_ = WidgetFactory::button(QStringLiteral("Cancel"), {}, "small", this);
    connect(cancel_, &QPushButton::clicked, this, [this] { review_.cancelActivity(); });

    shield_ = new QLabel(this);
    shield_->setPixmap(SymbolIcon::pixmap(QStringLiteral("lock.shield"), Theme::kGreen, 15, devicePixelRatioF()));
    notice_ = WidgetFactory::label({}, Theme::font(12), Theme::kSecondaryText, this);
    hint_ = WidgetFactory::label(QStringLiteral("0 No label   1 Modified   2 Generated   J Next   ") +
                                     QString::fromUtf8(ReviewKeys::kHint),
                                 Theme::font(11, QFont::Normal, true), Theme::kTertiaryText, this);

    row->addWidget(progress_);
    row->addWidget(activity_, 1);
    row->addWidget(cancel_);
    row->addWidget(shield_);
    row->addWidget(notice_, 1);
    row->addWidget(hint_);

    connect(&review_, &ReviewDocument::activityChanged, this, &ActivityFooter::refresh);
    connect(&review_, &ReviewDocument::messagesChanged, this, &ActivityFooter::refresh);
    refresh();
}

void ActivityFooter::refresh() {
    const ActivityState& state = review_.activity();
    for (QWidget* widget : std::initializer_list<QWidget*>{progress_, activity_, cancel_}) widget->setVisible(state.busy);
    for (QWidget* widget : std::initializer_list<QWidget*>{shield_, notice_, hint_}) widget->setVisible(!state.busy);
    progress_->setValue(static_cast<int>(std::clamp(state.progress, 0.0, 1.0) * kProgressSteps));
    activity_->setText(QString::fromStdString(state.activity));
    const std::string& notice = review_.notice();
    const QString idle = review_.autosaves() ? QStringLiteral("On-device detection & grouping")
                                            : QStringLiteral("Not autosaved: another Marrowick window keeps the recovery copy");
    notice_->setText(notice.empty() ? idle : QString::fromStdString(notice));
}

}  // namespace marrowick
