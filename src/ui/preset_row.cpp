// Layout, selection and menu actions of a preset row.
#include "ui/preset_row.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "delivery/preset_operations.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/delivery_setup.h"
#include "workspace/review_document.h"

namespace marrowick {

PresetRow::PresetRow(ReviewDocument& review, DeliveryPreset preset, std::function<void(const DeliveryPreset&)> edit,
                     std::function<void()> leave, QWidget* parent)
    : QWidget(parent), review_(review), preset_(std::move(preset)) {
    const QString name = QString::fromStdString(preset_.name);
    checkbox_ = new QCheckBox(this);
    checkbox_->setAccessibleName(QStringLiteral("Select ") + name);
    connect(checkbox_, &QCheckBox::clicked, this, [this](bool on) {
        DeliveryChoices choices = review_.deliverySetup().delivery();
        if (on) choices.deliveryKeys.insert(preset_.key);
        else choices.deliveryKeys.erase(preset_.key);
        review_.deliverySetup().setDelivery(std::move(choices));
    });
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    const QString title = preset_.archivedAt ? name + QStringLiteral(" · archived") : name;
    texts->addWidget(WidgetFactory::label(title, Theme::font(13, QFont::Medium), Theme::kText, this));
    texts->addWidget(WidgetFactory::label(QString::fromStdString(preset_.summary()), Theme::font(11),
                                          Theme::kSecondaryText, this));
    auto* more = new QToolButton(this);
    more->setText(QStringLiteral("•••"));
    more->setProperty("plain", true);
    more->setPopupMode(QToolButton::InstantPopup);
    menu_ = new QMenu(more);
    more->setMenu(menu_);
    buildMenu(edit, leave);
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(8, 5, 8, 5);
    line->addWidget(checkbox_);
    line->addLayout(texts, 1);
    line->addWidget(more);
    refresh();
}

bool PresetRow::opensInBrowser(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.isRelative() && !url.host().isEmpty() &&
           (scheme == QLatin1String("https") || scheme == QLatin1String("http"));
}

void PresetRow::refresh() { checkbox_->setChecked(review_.deliverySetup().delivery().deliveryKeys.contains(preset_.key)); }

void PresetRow::buildMenu(const std::function<void(const DeliveryPreset&)>& edit, const std::function<void()>& leave) {
    menu_->addAction(QStringLiteral("Preview label position && safe zones"), this, [this, leave] { preview(leave); });
    menu_->addAction(QStringLiteral("Duplicate && edit…"), this,
                     [this, edit] { edit(PresetOperations::duplicatePreset(preset_)); });
    if (preset_.kind == "custom") {
        menu_->addAction(QStringLiteral("Edit…"), this, [this, edit] { edit(preset_); });
        if (preset_.archivedAt)
            menu_->addAction(QStringLiteral("Restore"), this, [this] { review_.deliverySetup().restorePreset(preset_); });
        else
            menu_->addAction(QStringLiteral("Archive"), this, [this] { review_.deliverySetup().archivePreset(preset_); });
    }
    if (opensInBrowser(preset_.specificationUrl))
        menu_->addAction(QStringLiteral("Specification"), this, [this] {
            QDesktopServices::openUrl(QUrl(QString::fromStdString(preset_.specificationUrl)));
        });
}

void PresetRow::preview(const std::function<void()>& leave) {
    PresentationState presentation = review_.presentation();
    presentation.previewPresetKey = preset_.key;
    presentation.showSafeZones = true;
    presentation.editLabelLayout = true;
    review_.setPresentation(std::move(presentation));
    leave();
}

}  // namespace marrowick
