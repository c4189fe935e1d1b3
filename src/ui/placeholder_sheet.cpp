// Layout of a placeholder sheet.
#include "ui/placeholder_sheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {

PlaceholderSheet::PlaceholderSheet(const QString& title, const QString& line, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setMinimumSize(520, 260);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 22, 24, 18);
    column->addWidget(WidgetFactory::label(title, Theme::font(17, QFont::DemiBold), Theme::kText, this));
    auto* text = WidgetFactory::label(line, Theme::font(12), Theme::kSecondaryText, this);
    text->setWordWrap(true);
    column->addWidget(text);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* done = WidgetFactory::button(QStringLiteral("Done"), {}, "prominent", this);
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(done);
    column->addLayout(buttons);
}

}  // namespace marrowick
