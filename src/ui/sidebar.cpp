// The sidebar's entries follow the controller; choosing one sets the list's filter.
#include "ui/sidebar.h"

#include <filesystem>

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "disclosure/sign_off.h"
#include "ui/nav_entry.h"
#include "ui/review_counts.h"
#include "ui/store_operations.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

struct NavigationItem {
    const char* symbol;
    const char* title;
    const char* key;
};

constexpr NavigationItem kNavigation[] = {
    {"square.grid.2x2", "All shots", "all"},
    {"circle.dashed", "Needs review", "review"},
    {"tag", "Labelled", "labelled"},
    {"scissors", "Check boundaries", "uncertain"},
    {"film.stack", "Carried from earlier cut", "carried"},
    {"square.stack.3d.up", "Similar shots", "groups"},
};

constexpr int kMargin = 12;

QWidget* iconLabel(const QString& symbol, const QColor& color, int size, QWidget* parent) {
    auto* icon = new QLabel(parent);
    icon->setPixmap(SymbolIcon::pixmap(symbol, color, size, parent->devicePixelRatioF()));
    icon->setFixedSize(size, size);
    return icon;
}

}  // namespace

Sidebar::Sidebar(ReviewStore& store, ReviewDocument& review, QWidget* parent)
    : QWidget(parent), store_(store), review_(review) {
    setObjectName(QStringLiteral("Sidebar"));
    setFixedWidth(kWidth);
    WidgetFactory::fillBackground(this, Theme::kSidebar);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin - 4, 16, kMargin - 4, 12);
    layout->setSpacing(1);
    layout->addWidget(brand());
    layout->addSpacing(18);
    addNavigation(layout);
    layout->addSpacing(18);
    addFilms(layout);
    layout->addWidget(footer());

    connect(&review_, &ReviewDocument::projectChanged, this, &Sidebar::refreshCounts);
    connect(&review_, &ReviewDocument::listOptionsChanged, this, &Sidebar::refreshHighlight);
    connect(&review_, &ReviewDocument::activityChanged, this, [this] { addFilms_->setEnabled(!review_.busy()); });
    refreshCounts();
    refreshHighlight();
}

QWidget* Sidebar::brand() {
    auto* brand = new QWidget(this);
    auto* row = new QHBoxLayout(brand);
    row->setContentsMargins(6, 0, 4, 0);
    row->setSpacing(10);
    row->addWidget(iconLabel(QStringLiteral("viewfinder"), Theme::kAccent, 26, brand), 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->setSpacing(1);
    text->addWidget(WidgetFactory::label(QStringLiteral("Marrowick"), Theme::font(17, QFont::DemiBold), Theme::kText));
    QFont caption = Theme::font(9, QFont::DemiBold);
    caption.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    text->addWidget(WidgetFactory::label(QStringLiteral("AI DISCLOSURE REVIEW"), caption, Theme::kSecondaryText));
    row->addLayout(text, 1);
    return brand;
}

void Sidebar::addNavigation(QVBoxLayout* layout) {
    auto* heading = WidgetFactory::heading(QStringLiteral("REVIEW"), this);
    heading->setContentsMargins(9, 0, 0, 6);
    layout->addWidget(heading);
    for (const NavigationItem& item : kNavigation) {
        auto* entry = new NavEntry(QString::fromLatin1(item.symbol), QString::fromLatin1(item.title), this);
        const std::string key = item.key;
        connect(entry, &NavEntry::clicked, this, [this, key] { choose(key); });
        navigation_.emplace_back(key, entry);
        layout->addWidget(entry);
    }
}

void Sidebar::addFilms(QVBoxLayout* layout) {
    auto* headingRow = new QHBoxLayout;
    headingRow->setContentsMargins(9, 0, 2, 4);
    headingRow->addWidget(WidgetFactory::heading(QStringLiteral("SOURCE FILMS"), this));
    headingRow->addStretch(1);
    addFilms_ = WidgetFactory::button({}, QStringLiteral("plus"), "plain", this);
    addFilms_->setToolTip(QStringLiteral("Import films"));
    addFilms_->setAccessibleName(QStringLiteral("Import films"));
    connect(addFilms_, &QPushButton::clicked, this, [this] { StoreOperations::importDialog(store_); });
    headingRow->addWidget(addFilms_);
    layout->addLayout(headingRow);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    filmList_ = new QWidget(scroll);
    auto* films = new QVBoxLayout(filmList_);
    films->setContentsMargins(0, 0, 0, 0);
    films->setSpacing(1);
    films->addStretch(1);
    scroll->setWidget(filmList_);
    filmList_->setAutoFillBackground(false);  // setWidget turned it on
    layout->addWidget(scroll, 1);
}

QWidget* Sidebar::footer() {
    auto* footer = new QWidget(this);
    auto* column = new QVBoxLayout(footer);
    column->setContentsMargins(8, 10, 4, 0);
    column->setSpacing(6);
    column->addWidget(WidgetFactory::divider(false, footer));

    auto* seal = new QHBoxLayout;
    seal->setSpacing(7);
    seal->addWidget(iconLabel(QStringLiteral("checkmark.seal"), Theme::kAccent, 15, footer));
    seal->addWidget(
        WidgetFactory::label(QStringLiteral("Official EU labels"), Theme::font(12, QFont::DemiBold), Theme::kText), 1);
    column->addLayout(seal);
    auto* line = WidgetFactory::label(QStringLiteral("Human review. Local processing. Clear disclosure."),
                                      Theme::font(11), Theme::kSecondaryText, footer);
    line->setWordWrap(true);
    column->addWidget(line);

    auto* guide = WidgetFactory::button(QStringLiteral("Disclosure guide \u2197"), {}, "plain", footer);
    guide->setStyleSheet(QStringLiteral("color: #ff9f0a; text-align: left; padding-left: 0;"));
    connect(guide, &QPushButton::clicked, this, [this] {
        PresentationState presentation = review_.presentation();
        presentation.guide = true;
        review_.setPresentation(presentation);
    });
    column->addWidget(guide, 0, Qt::AlignLeft);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(WidgetFactory::label(QCoreApplication::applicationVersion(), Theme::font(10, QFont::Normal, true),
                                           Theme::kTertiaryText, footer));
    bottom->addStretch(1);
    auto* settings = WidgetFactory::button(QStringLiteral("Settings"), QStringLiteral("slider.horizontal.3"), "small", footer);
    connect(settings, &QPushButton::clicked, this, [this] {
        PresentationState presentation = review_.presentation();
        presentation.settings = true;
        review_.setPresentation(presentation);
    });
    bottom->addWidget(settings);
    column->addLayout(bottom);
    return footer;
}

void Sidebar::choose(const std::string& key) {
    review_.setFilter(ShotFilter::parse(key));
    if (key == "groups") review_.setGroupSort(true);
    refreshHighlight();
}

void Sidebar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) refreshCounts();
}

void Sidebar::refreshCounts() {
    const Project& project = review_.project();
    const ReviewCounts counts = ReviewCounts::of(project);
    const std::size_t values[] = {counts.shots, counts.needsReview, counts.labelled, counts.uncertain, counts.carried};
    for (std::size_t i = 0; i < std::size(values); ++i) navigation_[i].second->setCount(values[i]);

    std::vector<FilmRow> rows;
    for (const Film& film : project.films) {
        std::error_code ignored;
        const auto found = counts.perFilm.find(film.id);
        const SignOff::State signOff = SignOff::status(project, film).state;
        rows.push_back({film.id, film.path, std::filesystem::exists(film.path, ignored),
                        found == counts.perFilm.end() ? 0 : found->second,
                        signOff == SignOff::State::none ? std::string() : std::string(SignOff::stateText(signOff))});
    }
    if (rows != filmRows_) refreshFilms(rows);
}

void Sidebar::refreshFilms(const std::vector<FilmRow>& rows) {
    filmRows_ = rows;
    for (auto& [key, entry] : filmEntries_) {
        // Later: the entry may be the sender of the signal that led here.
        entry->hide();
        entry->deleteLater();
    }
    filmEntries_.clear();
    for (QWidget* caption : filmCaptions_) {
        caption->hide();
        caption->deleteLater();
    }
    filmCaptions_.clear();
    auto* layout = static_cast<QVBoxLayout*>(filmList_->layout());
    for (const FilmRow& row : rows) {
        const QString name = QString::fromStdString(std::filesystem::path(row.path).filename().string());
        auto* entry = new NavEntry(QStringLiteral("film"), name, filmList_);
        if (!row.present) entry->setSymbol(QStringLiteral("exclamationmark.triangle"), Theme::kAccent);
        entry->setCount(row.shots);
        entry->setToolTip(WidgetFactory::plainToolTip(QString::fromStdString(row.path)));
        entry->setContextMenuPolicy(Qt::CustomContextMenu);
        const Uuid id = row.id;
        const std::string key = id.text();
        connect(entry, &NavEntry::clicked, this, [this, key] { choose(key); });
        connect(entry, &NavEntry::customContextMenuRequested, this,
                [this, id, entry](const QPoint& at) { showFilmMenu(id, entry->mapToGlobal(at)); });
        layout->insertWidget(layout->count() - 1, entry);
        entry->show();
        filmEntries_.emplace_back(key, entry);
        if (QWidget* caption = signOffCaption(row)) {
            layout->insertWidget(layout->count() - 1, caption);
            filmCaptions_.push_back(caption);
        }
    }
    refreshHighlight();
}

// "Signed off", or the void state in the warning colour, under the film's entry.
QWidget* Sidebar::signOffCaption(const FilmRow& row) {
    if (row.signOff.empty()) return nullptr;
    const bool valid = row.signOff == SignOff::stateText(SignOff::State::valid);
    auto* caption = WidgetFactory::label(QString::fromStdString(row.signOff), Theme::font(10),
                                         valid ? Theme::kSecondaryText : Theme::kAccent, filmList_);
    caption->setWordWrap(true);
    caption->setContentsMargins(32, 0, 4, 3);
    return caption;
}

void Sidebar::refreshHighlight() {
    const std::string filter = review_.listOptions().filter.key();
    for (auto& [key, entry] : navigation_) entry->setChecked(key == filter);
    for (auto& [key, entry] : filmEntries_) entry->setChecked(key == filter);
}

void Sidebar::showFilmMenu(const Uuid& filmID, const QPoint& where) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Relink original media\u2026"), this,
                   [this, filmID] { StoreOperations::relink(store_, filmID); });
    menu.addAction(QStringLiteral("Redetect with current threshold\u2026"), this,
                   [this, filmID] { StoreOperations::redetect(store_, filmID); });
    menu.addSeparator();
    QAction* signOff = menu.addAction(QStringLiteral("Sign off film"), this,
                                      [this, filmID] { StoreOperations::signOff(store_, filmID); });
    signOff->setEnabled(review_.canSignOff(filmID));
    menu.exec(where);
}

}  // namespace marrowick
