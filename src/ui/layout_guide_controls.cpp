// The guide picker, the margins or profile of the chosen guide, and the guide warning.
#include "ui/layout_guide_controls.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>

#include "disclosure/label_geometry.h"
#include "disclosure/safe_zones.h"
#include "ui/step_slider.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/layout_queries.h"

namespace marrowick {
namespace {

constexpr double kMarginStep = 0.005;
const std::array<std::pair<LayoutChange::Side, const char*>, 4> kSides{{{LayoutChange::Side::left, "Left"},
                                                                        {LayoutChange::Side::top, "Top"},
                                                                        {LayoutChange::Side::right, "Right"},
                                                                        {LayoutChange::Side::bottom, "Bottom"}}};

LayoutChange::Side opposite(LayoutChange::Side side) {
    switch (side) {
        case LayoutChange::Side::left: return LayoutChange::Side::right;
        case LayoutChange::Side::right: return LayoutChange::Side::left;
        case LayoutChange::Side::top: return LayoutChange::Side::bottom;
        case LayoutChange::Side::bottom: return LayoutChange::Side::top;
    }
    return side;
}

bool publishedAddress(const std::string& text) {
    const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
    return url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http")) &&
           !url.host().isEmpty();
}

QLabel* wrapped(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    QLabel* line = WidgetFactory::label(text, font, color, parent);
    line->setWordWrap(true);
    return line;
}

}  // namespace

double LayoutGuideControls::marginMaximum(double opposite) { return std::max(std::min(0.94 - opposite, 0.9), 0.01); }

LayoutGuideControls::LayoutGuideControls(const LayoutQueries& layouts, Change change, QWidget* parent)
    : QWidget(parent), layouts_(layouts), change_(std::move(change)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    guide_ = new QComboBox(this);
    guide_->setAccessibleName(QStringLiteral("Guide"));
    guide_->setFont(Theme::font(11));
    column->addLayout(WidgetFactory::titledRow(QStringLiteral("Guide"), kTitleWidth, guide_, this));
    connect(guide_, &QComboBox::activated, this,
            [this](int index) { change_(LayoutChange::Guide{guide_->itemData(index).toString().toStdString()}); });

    custom_ = new QWidget(this);
    auto* customColumn = new QVBoxLayout(custom_);
    customColumn->setContentsMargins(0, 0, 0, 0);
    customColumn->setSpacing(2);
    for (std::size_t i = 0; i < kSides.size(); ++i) {
        const auto [side, title] = kSides[i];
        margins_[i] = new StepSlider(0, marginMaximum(LayoutChange::kStartingMargins.left), kMarginStep,
                                     &StepSlider::percent, custom_);
        margins_[i]->setAccessibleName(QString::fromLatin1(title));
        margins_[i]->slider().setTracking(false);
        customColumn->addLayout(margins_[i]->titledRow(QString::fromLatin1(title), kTitleWidth));
        connect(margins_[i], &StepSlider::moved, this,
                [this, side = side](double value) { change_(LayoutChange::Margin{side, value}); });
    }
    customColumn->addWidget(wrapped(QStringLiteral("Custom editorial margins."), Theme::font(10), Theme::kSecondaryText, custom_));
    column->addWidget(custom_);

    profile_ = new QWidget(this);
    auto* profileColumn = new QVBoxLayout(profile_);
    profileColumn->setContentsMargins(0, 0, 0, 0);
    profileColumn->setSpacing(3);
    profileCaption_ = wrapped({}, Theme::font(10, QFont::Medium), Theme::kText, profile_);
    link_ = WidgetFactory::label({}, Theme::font(10), Theme::kAccent, profile_);
    link_->setTextFormat(Qt::RichText);  // the one link; its address is escaped where it is set
    link_->setOpenExternalLinks(true);
    link_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    kind_ = wrapped({}, Theme::font(10), Theme::kSecondaryText, profile_);
    for (QLabel* line : {profileCaption_, link_, kind_}) profileColumn->addWidget(line);
    column->addWidget(profile_);

    warning_ = new QWidget(this);
    auto* warningRow = new QHBoxLayout(warning_);
    warningRow->setContentsMargins(0, 0, 0, 0);
    warningRow->setSpacing(5);
    auto* triangle = new QLabel(warning_);
    triangle->setPixmap(SymbolIcon::pixmap(QStringLiteral("exclamationmark.triangle"), Theme::kAccent, 12, devicePixelRatioF()));
    warningRow->addWidget(triangle);
    warningRow->addWidget(WidgetFactory::label(QStringLiteral("Label extends outside this guide"), Theme::font(11),
                                               Theme::kAccent, warning_), 1);
    column->addWidget(warning_);
}

void LayoutGuideControls::present(const std::string& key, const LabelLayout& layout, const LayoutOutput& output,
                                  bool editable) {
    const std::string ratio = LabelGeometry::aspect(output.width, output.height);
    {
        const QSignalBlocker blocker(guide_);
        guide_->clear();
        guide_->addItem(QStringLiteral("Automatic for delivery"), QStringLiteral("auto"));
        for (const SafeZoneProfile& profile : layouts_.safeZoneProfiles())
            if (SafeZones::fits(profile, ratio))
                guide_->addItem(QString::fromStdString(profile.name), QString::fromStdString(profile.id));
        addStoredGuide(layout.guideID);
        guide_->addItem(QStringLiteral("Custom margins"), QStringLiteral("custom"));
        guide_->setCurrentIndex(guide_->findData(QString::fromStdString(layout.guideID)));
        guide_->setEnabled(editable);
    }

    const bool custom = layout.guideID == "custom";
    custom_->setVisible(custom);
    const SafeInsets insets = layout.customInsets.value_or(LayoutChange::kStartingMargins);
    for (std::size_t i = 0; i < kSides.size(); ++i) {
        margins_[i]->setMaximum(marginMaximum(margin(insets, opposite(kSides[i].first))));
        margins_[i]->display(margin(insets, kSides[i].first));
        margins_[i]->setEnabled(editable);
    }
    presentProfile(layout, output);
    warning_->setVisible(layouts_.labelOutsideGuide(key));
}

// A layout may name a guide made for another ratio (it was chosen for another output, or stored by
// hand); the picker lists it under its ratio so the choice shows instead of a blank.
void LayoutGuideControls::addStoredGuide(const std::string& guideID) {
    if (guide_->findData(QString::fromStdString(guideID)) >= 0) return;
    for (const SafeZoneProfile& profile : layouts_.safeZoneProfiles())
        if (profile.id == guideID) {
            guide_->addItem(QString::fromStdString(profile.name + " (" + profile.aspectRatio + " guide)"),
                            QString::fromStdString(profile.id));
            return;
        }
}

void LayoutGuideControls::presentProfile(const LabelLayout& layout, const LayoutOutput& output) {
    const SafeZoneProfile* profile =
        layout.guideID == "custom"
            ? nullptr
            : SafeZones::profile(layouts_.safeZoneProfiles(), &layout, output.presetKey, output.width, output.height);
    profile_->setVisible(profile != nullptr);
    if (!profile) return;
    profileCaption_->setText(QString::fromStdString(profile->name + " \u00b7 checked " + profile->checkedAt));
    const bool linked = profile->sourceUrl && publishedAddress(*profile->sourceUrl);
    link_->setVisible(linked);
    if (linked)
        link_->setText(QStringLiteral("<a style=\"color: #ff9f0a; text-decoration: none\" href=\"%1\">Published ad guidance \u2197</a>")
                           .arg(QUrl(QString::fromStdString(*profile->sourceUrl)).toString(QUrl::FullyEncoded).toHtmlEscaped()));
    kind_->setText(profile->provenance == "editorial"
                       ? QStringLiteral("House guide. Check the actual platform layout.")
                       : QStringLiteral("Ad placement guide. Organic posts, captions and device UI may differ."));
}

}  // namespace marrowick
