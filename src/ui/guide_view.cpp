// Text and links of the disclosure guide.
#include "ui/guide_view.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/sheet_layout.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {
namespace {

struct Item {
    const char* title;
    const char* paragraph;
};

constexpr Item kItems[] = {
    {"Confirm the facts",
     "Use production records, source provenance and the people who made the work to establish AI involvement. A "
     "realistic image alone cannot prove its origin."},
    {"Choose the appropriate label",
     "The Commission supplies optional icons for fully generated content and for human-made material partially "
     "modified using AI. The app bundles the original artwork."},
    {"Assess scope",
     "Article 50(4) addresses deepfakes: generated or manipulated media that can falsely appear authentic. It does not "
     "require the same disclosure for every use of AI. Evidently artistic, fictional and similar works have an adapted "
     "disclosure approach."},
    {"Plan the delivery",
     "Check that a disclosure is understandable, visible and retained when shared. Per-shot overlays are one delivery "
     "option; creative-work disclosure requires editorial judgement."},
    {"Keep a record",
     "Save reviewed ranges, decisions and notes. CSV and JSON are review records, not C2PA signatures or a substitute "
     "for a provider's separate machine-readable marking obligations under Article 50(2)."},
};

struct Link {
    const char* title;
    const char* url;
};

constexpr Link kLinks[] = {
    {"Official EU icons and placement guidance ↗",
     "https://digital-strategy.ec.europa.eu/en/policies/eu-icons-labelling-ai-generated-content"},
    {"Read Regulation (EU) 2024/1689 ↗", "https://eur-lex.europa.eu/eli/reg/2024/1689/oj"},
    {"Transparency Code of Practice ↗", "https://digital-strategy.ec.europa.eu/en/policies/code-practice-ai-generated-content"},
};

QLabel* paragraph(const QString& text, const QColor& color, QWidget* parent) {
    auto* result = WidgetFactory::label(text, Theme::font(13), color, parent);
    result->setWordWrap(true);
    return result;
}

QPushButton* link(const Link& target, QWidget* parent) {
    auto* button = WidgetFactory::button(QString::fromUtf8(target.title), {}, "plain", parent);
    button->setProperty("url", QString::fromLatin1(target.url));
    button->setStyleSheet(QStringLiteral("color: #ff9f0a; text-align: left;"));
    QObject::connect(button, &QPushButton::clicked, button,
                     [url = QUrl(QString::fromLatin1(target.url))] { QDesktopServices::openUrl(url); });
    return button;
}

QWidget* body(QWidget* parent) {
    auto* content = new QWidget(parent);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 8, 0);
    column->setSpacing(8);
    column->addWidget(WidgetFactory::label(QStringLiteral("EU AI Act · Article 50"), Theme::font(13, QFont::DemiBold),
                                           Theme::kAccent, content));
    column->addWidget(paragraph(QStringLiteral("This workspace supports a human disclosure review. It does not certify "
                                               "legal compliance or detect the history of a shot from its appearance."),
                                Theme::kText, content));
    for (const Item& item : kItems) {
        column->addSpacing(6);
        column->addWidget(WidgetFactory::label(QString::fromUtf8(item.title), Theme::font(14, QFont::DemiBold),
                                               Theme::kText, content));
        column->addWidget(paragraph(QString::fromUtf8(item.paragraph), Theme::kSecondaryText, content));
    }
    column->addSpacing(8);
    for (const Link& target : kLinks) column->addWidget(link(target, content), 0, Qt::AlignLeft);
    column->addSpacing(8);
    column->addWidget(SheetLayout::caption(QStringLiteral("Legal sources checked 2 November 2026. Review the current "
                                                          "guidance for your use case and distribution context."),
                                           content));
    column->addStretch(1);
    return content;
}

}  // namespace

GuideView::GuideView(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* column = SheetLayout::doneSheet(*this, QStringLiteral("A considered disclosure"), QSize(660, 700));
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(body(scroll));
    column->addWidget(scroll, 1);
}

}  // namespace marrowick
