// The current film's sign-off in the inspector.
#include "ui/sign_off_section.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "disclosure/sign_off.h"
#include "ui/store_operations.h"
#include "ui/widget_factory.h"
#include "workspace/preferences.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

QString stateLine(const Project& project, const Film& film) {
    const SignOff::Status status = SignOff::status(project, film);
    QString line = QString::fromStdString(std::string(SignOff::stateText(status.state)));
    if (status.state != SignOff::State::none) line += QStringLiteral(": ") + QString::fromStdString(SignOff::signerText(status));
    if (const std::size_t open = SignOff::unreviewed(project, film.id); open > 0)
        line += QStringLiteral(". %1 shot(s) of this film still need review.").arg(open);
    else if (!Preferences::reviewer())
        line += QStringLiteral(". Set a reviewer name in Settings to sign off.");
    return line;
}

}  // namespace

SignOffSection::SignOffSection(ReviewStore& store, ReviewDocument& review, QWidget* parent)
    : InspectorSection(review, QStringLiteral("Film sign-off"), parent), store_(store) {
    state_ = caption({});
    column()->addWidget(state_);
    signOff_ = WidgetFactory::button(QStringLiteral("Sign off film"), QStringLiteral("checkmark.seal"), "small", this);
    column()->addWidget(signOff_, 0, Qt::AlignLeft);
    connect(signOff_, &QPushButton::clicked, this, [this] { StoreOperations::signOff(store_, filmID_); });
}

void SignOffSection::present(const Shot& shot) {
    filmID_ = shot.filmID;
    const Film* film = review_.project().film(shot.filmID);
    state_->setText(film ? stateLine(review_.project(), *film) : QString());
    signOff_->setEnabled(review_.canSignOff(shot.filmID));
}

}  // namespace marrowick
