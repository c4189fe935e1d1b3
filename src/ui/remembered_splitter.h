// A splitter whose handles show a 1-pixel line inside a wider grab area and whose sizes are
// remembered under a preference key.
#pragma once

#include <QSplitter>

namespace marrowick {

class RememberedSplitter : public QSplitter {
    Q_OBJECT

public:
    static constexpr int kHandleWidth = 7;

    // `key` names the preference ("layout/..."); `defaultSizes` apply until the user moves a handle.
    RememberedSplitter(Qt::Orientation orientation, QString key, QWidget* parent = nullptr);

    // Call once every child is added: restores the remembered sizes, else applies the defaults.
    void restore(const QList<int>& defaultSizes);

private:
    QString key_;
};

}  // namespace marrowick
