// Drawing the splitter's handle line and keeping its sizes in the preferences.
#include "ui/remembered_splitter.h"

#include <QSettings>

namespace marrowick {
namespace {

// A transparent grab area with one line of the divider colour across its middle.
QString handleStyle(Qt::Orientation orientation) {
    const QString direction = orientation == Qt::Vertical ? QStringLiteral("x1:0, y1:0, x2:0, y2:1")
                                                          : QStringLiteral("x1:0, y1:0, x2:1, y2:0");
    return QStringLiteral("QSplitter::handle { background: qlineargradient(%1, stop:0 transparent, stop:0.43 transparent, "
                          "stop:0.43 #4a4c53, stop:0.57 #4a4c53, stop:0.57 transparent, stop:1 transparent); } "
                          "QSplitter::handle:hover { background: qlineargradient(%1, stop:0 transparent, "
                          "stop:0.29 transparent, stop:0.29 #ff9f0a, stop:0.71 #ff9f0a, stop:0.71 transparent, "
                          "stop:1 transparent); }")
        .arg(direction);
}

}  // namespace

RememberedSplitter::RememberedSplitter(Qt::Orientation orientation, QString key, QWidget* parent)
    : QSplitter(orientation, parent), key_(std::move(key)) {
    setHandleWidth(kHandleWidth);
    setStyleSheet(handleStyle(orientation));
    connect(this, &QSplitter::splitterMoved, this,
            [this] { QSettings("Marrowick", "Marrowick").setValue(key_, saveState()); });
}

void RememberedSplitter::restore(const QList<int>& defaultSizes) {
    const QByteArray state = QSettings("Marrowick", "Marrowick").value(key_).toByteArray();
    if (state.isEmpty() || !restoreState(state)) setSizes(defaultSizes);
}

}  // namespace marrowick
