// The shot library's widgets over the shot list model.
#include "ui/shot_library.h"

#include <cmath>
#include <limits>

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPropertyAnimation>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/empty_state.h"
#include "ui/selection_bar.h"
#include "ui/shot_row_delegate.h"
#include "ui/symbol_icon.h"
#include "ui/theme.h"
#include "ui/toggle_switch.h"
#include "ui/widget_factory.h"
#include "workspace/models/shot_list_model.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

constexpr int kScrollAnimation_ms = 220;

}  // namespace

ShotLibrary::ShotLibrary(ReviewStore& store, ReviewDocument& review, QWidget* parent)
    : QWidget(parent),
      store_(store),
      review_(review),
      model_(new ShotListModel(review, this)),
      compactRows_(review.presentation().compactRows) {
    setObjectName(QStringLiteral("ShotLibrary"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header());

    auto* bar = new SelectionBar(store_, this);
    auto* barRow = new QHBoxLayout;
    barRow->setContentsMargins(8, 0, 8, 4);
    barRow->addWidget(bar);
    column->addLayout(barRow);

    stack_ = new QStackedWidget(this);
    list_ = makeList();
    empty_ = new EmptyState(stack_);
    stack_->addWidget(list_);
    stack_->addWidget(empty_);
    column->addWidget(stack_, 1);

    scroll_ = new QPropertyAnimation(list_->verticalScrollBar(), "value", this);
    scroll_->setDuration(kScrollAnimation_ms);
    scroll_->setEasingCurve(QEasingCurve::OutCubic);

    connect(model_, &ShotListModel::modelReset, this, &ShotLibrary::refreshContents);
    // An empty list may stay empty while the project under it gains or loses its shots (a search
    // that matches nothing in both), which resets nothing: the empty state follows the project.
    connect(&review_, &ReviewDocument::projectChanged, this, &ShotLibrary::refreshContents);
    connect(&review_, &ReviewDocument::listOptionsChanged, this, &ShotLibrary::refreshOptions);
    connect(&review_, &ReviewDocument::selectionChanged, this, &ShotLibrary::scheduleScrollToSelection);
    connect(&review_, &ReviewDocument::presentationChanged, this, &ShotLibrary::refreshDensity);
    refreshContents();
    refreshOptions();
}

QWidget* ShotLibrary::header() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(16, 10, 14, 8);
    row->setSpacing(10);
    QFont letterSpaced = Theme::font(11, QFont::DemiBold);
    letterSpaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    row->addWidget(WidgetFactory::label(QStringLiteral("SHOT LIBRARY"), letterSpaced, Theme::kSecondaryText, header));
    count_ = WidgetFactory::label({}, Theme::font(11, QFont::Medium, true), Theme::kTertiaryText, header);
    row->addWidget(count_);
    row->addStretch(1);

    search_ = new QLineEdit(header);
    search_->setPlaceholderText(QStringLiteral("Search films, subjects, notes"));
    search_->setClearButtonEnabled(true);
    search_->setFixedWidth(250);
    search_->addAction(SymbolIcon::icon(QStringLiteral("magnifyingglass"), Theme::kTertiaryText, 14),
                       QLineEdit::LeadingPosition);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        review_.setSearch(text.toStdString());
    });
    row->addWidget(search_);

    groupSort_ = new ToggleSwitch(QStringLiteral("Group similar"), header);
    connect(groupSort_, &ToggleSwitch::toggled, this, [this](bool on) { review_.setGroupSort(on); });
    row->addWidget(groupSort_);
    return header;
}

QListView* ShotLibrary::makeList() {
    auto* list = new QListView(stack_);
    list->setModel(model_);
    list->setItemDelegate(new ShotRowDelegate(review_, *model_, list));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->verticalScrollBar()->setSingleStep(24);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::NoFrame);
    list->setFocusPolicy(Qt::NoFocus);
    list->setMouseTracking(true);
    list->setStyleSheet(QStringLiteral("QListView { background: transparent; padding: 8px; }"));
    list->viewport()->setAutoFillBackground(false);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QListView::customContextMenuRequested, this, &ShotLibrary::showRowMenu);
    return list;
}

bool ShotLibrary::showsList() const { return stack_->currentWidget() == list_; }

void ShotLibrary::refreshContents() {
    count_->setText(QString::number(model_->rowCount()));
    if (model_->rowCount() > 0) {
        stack_->setCurrentWidget(list_);
        return;
    }
    if (review_.project().shots.empty())
        empty_->present(QStringLiteral("plus.rectangle.on.rectangle"), QStringLiteral("Your shot library starts here"),
                        QStringLiteral("Drop video files anywhere in this window."));
    else
        empty_->present(QStringLiteral("checkmark.circle"), QStringLiteral("No shots in this view"),
                        QStringLiteral("Try another filter or search."));
    stack_->setCurrentWidget(empty_);
}

void ShotLibrary::refreshOptions() {
    const ShotListOptions& options = review_.listOptions();
    const QString search = QString::fromStdString(options.search);
    if (search_->text() != search) {
        const QSignalBlocker blocker(search_);
        search_->setText(search);
    }
    const QSignalBlocker blocker(groupSort_);
    groupSort_->setChecked(options.groupSort);
    // A project emptied by a filter change is still "no shots" or "nothing in view".
    refreshContents();
}

// Uniform rows keep the first row's size until the list lays its items out again.
void ShotLibrary::refreshDensity() {
    if (review_.presentation().compactRows == compactRows_) return;
    compactRows_ = review_.presentation().compactRows;
    list_->doItemsLayout();
    scrollToSelection();
}

void ShotLibrary::scheduleScrollToSelection() {
    if (review_.selection().empty() || scrollPending_) return;
    scrollPending_ = true;
    QTimer::singleShot(0, this, [this] {
        scrollPending_ = false;
        scrollToSelection();
    });
}

// Centres the selected row nearest the middle of the view, so a click or a toggle moves the list
// as little as possible while a selection made elsewhere comes into view.
void ShotLibrary::scrollToSelection() {
    const std::set<Uuid>& selection = review_.selection();
    if (selection.empty() || model_->rowCount() == 0) return;
    const QScrollBar* bar = list_->verticalScrollBar();
    const int rowHeight = ShotRowDelegate::rowPitch(compactRows_);
    const double centreRow = (bar->value() + list_->viewport()->height() / 2.0) / rowHeight;
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    const VisibleShots& visible = model_->visible();
    for (std::size_t row = 0; row < visible.size(); ++row) {
        if (!selection.contains(visible[row].id)) continue;
        const double distance = std::abs(static_cast<double>(row) - centreRow);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(row);
        }
    }
    if (best < 0) return;
    const QRect rect = list_->visualRect(model_->index(best));
    const int target = std::clamp(bar->value() + rect.center().y() - list_->viewport()->height() / 2, bar->minimum(),
                                  bar->maximum());
    scroll_->stop();
    if (target == bar->value()) return;
    scroll_->setStartValue(bar->value());
    scroll_->setEndValue(target);
    scroll_->start();
}

std::unique_ptr<QMenu> ShotLibrary::rowMenu(int row) {
    const std::int64_t group = model_->shotAt(row).group;
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(QStringLiteral("Show visual group"), this,
                    [this, group] { review_.setFilter(ShotFilter::ofGroup(group)); });
    menu->addAction(QStringLiteral("Select all in group"), this, [this, group] { selectGroup(group); });
    return menu;
}

void ShotLibrary::showRowMenu(const QPoint& where) {
    const QModelIndex index = list_->indexAt(where);
    if (index.isValid()) rowMenu(index.row())->exec(list_->viewport()->mapToGlobal(where));
}

void ShotLibrary::selectGroup(std::int64_t group) {
    std::set<Uuid> members;
    if (group > 0)
        for (const Shot& shot : review_.project().shots)
            if (shot.group == group) members.insert(shot.id);
    review_.setSelection(std::move(members));
}

}  // namespace marrowick
