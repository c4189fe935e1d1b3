// The menu commands as a table: title, shortcut, action and disabled rule.
#include "ui/app_menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "ui/about_view.h"
#include "ui/store_operations.h"
#include "workspace/review_store.h"
#include "workspace/transport.h"

namespace marrowick {
namespace {

void present(ReviewStore& store, bool PresentationState::*flag) {
    PresentationState presentation = store.presentation();
    presentation.*flag = true;
    store.setPresentation(presentation);
}

struct MenuCommand {
    const char* menu;
    const char* title;
    QKeySequence shortcut;
    void (*run)(ReviewStore&);
    bool (*enabled)(const ReviewStore&);  // null: never disabled
    bool separatorAfter = false;
    bool (*checked)(const ReviewStore&) = nullptr;  // non-null: a toggle showing this state
};

void toggleCompactRows(ReviewStore& store) {
    PresentationState presentation = store.presentation();
    presentation.compactRows = !presentation.compactRows;
    store.setPresentation(presentation);
}

// Commands that start an activity or edit still do nothing while an activity runs: the
// controller refuses them.
const std::vector<MenuCommand>& commands() {
    static const std::vector<MenuCommand> table = {
        {"&File", "New Review", QKeySequence(Qt::CTRL | Qt::Key_N), [](ReviewStore& s) { s.newProject(); }, nullptr},
        {"&File", "Open Review\u2026", QKeySequence(Qt::CTRL | Qt::Key_O), [](ReviewStore& s) { s.openProject(); }, nullptr},
        {"&File", "Import Films\u2026", QKeySequence(Qt::CTRL | Qt::Key_I),
         [](ReviewStore& s) { StoreOperations::importDialog(s); }, nullptr},
        {"&File", "Import film with cut list\u2026", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I),
         [](ReviewStore& s) { StoreOperations::importWithCutList(s); }, nullptr},
        {"&File", "Import new version\u2026", QKeySequence(),
         [](ReviewStore& s) { StoreOperations::importNewVersion(s); }, nullptr, true},
        {"&File", "Save Review\u2026", QKeySequence(Qt::CTRL | Qt::Key_S), [](ReviewStore& s) { s.save(false); }, nullptr},
        {"&File", "Save Review As\u2026", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [](ReviewStore& s) { s.save(true); }, nullptr, true},
        {"&Edit", "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), [](ReviewStore& s) { s.undoEdit(); },
         [](const ReviewStore& s) { return s.canUndo() && !s.busy(); }},
        {"&Edit", "Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [](ReviewStore& s) { s.redoEdit(); },
         [](const ReviewStore& s) { return s.canRedo() && !s.busy(); }, true},
        {"&Edit", "Settings\u2026", QKeySequence(Qt::CTRL | Qt::Key_Comma),
         [](ReviewStore& s) { present(s, &PresentationState::settings); }, nullptr},
        {"&View", "Compact rows", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), toggleCompactRows, nullptr, false,
         [](const ReviewStore& s) { return s.presentation().compactRows; }},
        {"&Review", "No label", QKeySequence(Qt::Key_0), [](ReviewStore& s) { s.decide(Disclosure::none); }, nullptr},
        {"&Review", "AI modified", QKeySequence(Qt::Key_1), [](ReviewStore& s) { s.decide(Disclosure::modified); }, nullptr},
        {"&Review", "AI generated", QKeySequence(Qt::Key_2), [](ReviewStore& s) { s.decide(Disclosure::generated); },
         nullptr, true},
        {"&Review", "Next unreviewed", QKeySequence(Qt::Key_J), [](ReviewStore& s) { s.nextUnreviewed(); }, nullptr},
        {"&Review", "Play shot", QKeySequence(Qt::Key_Space),
         [](ReviewStore& s) {
             s.focusSelected();
             s.transport().playForward();
         },
         nullptr},
        {"&Help", "Disclosure Guide", QKeySequence(), [](ReviewStore& s) { present(s, &PresentationState::guide); },
         nullptr},
    };
    return table;
}

QMenu* menuTitled(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() && action->text() == title) return action->menu();
    return window.menuBar()->addMenu(title);
}

}  // namespace

AppMenus::AppMenus(ReviewStore& store, QMainWindow& window) : QObject(&window), store_(store) {
    for (const MenuCommand& command : commands()) {
        QMenu* menu = menuTitled(window, QString::fromLatin1(command.menu));
        QAction* action = menu->addAction(QString::fromUtf8(command.title));
        action->setShortcut(command.shortcut);
        action->setCheckable(command.checked != nullptr);
        const auto run = command.run;
        connect(action, &QAction::triggered, this, [this, run] { run(store_); });
        actions_.push_back({action, command.enabled, command.checked});
        if (command.separatorAfter) menu->addSeparator();
    }
    QAction* about = menuTitled(window, QStringLiteral("&Help"))->addAction(QStringLiteral("About Marrowick"));
    connect(about, &QAction::triggered, &window, [this, &window] {
        auto* view = new AboutView(store_.resourceRoot(), &window);
        view->setAttribute(Qt::WA_DeleteOnClose);
        view->open();
    });
    actions_.push_back({about, nullptr, nullptr});
    QAction* quit = menuTitled(window, QStringLiteral("&File"))->addAction(QStringLiteral("Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, &window, &QWidget::close);
    connect(&store_, &ReviewStore::projectChanged, this, &AppMenus::refreshEnabled);
    connect(&store_, &ReviewStore::activityChanged, this, &AppMenus::refreshEnabled);
    connect(&store_, &ReviewStore::presentationChanged, this, &AppMenus::refreshChecked);
    refreshEnabled();
    refreshChecked();
}

QAction* AppMenus::action(const QString& title) const {
    for (const Bound& bound : actions_)
        if (bound.action->text() == title) return bound.action;
    return nullptr;
}

void AppMenus::refreshEnabled() {
    for (const Bound& bound : actions_)
        if (bound.enabled) bound.action->setEnabled(bound.enabled(store_));
}

void AppMenus::refreshChecked() {
    for (const Bound& bound : actions_)
        if (bound.checked) bound.action->setChecked(bound.checked(store_));
}

}  // namespace marrowick
