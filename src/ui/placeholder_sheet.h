// A sheet whose content arrives later (settings, disclosure guide, delivery window): its title,
// one line saying so, and "Done".
#pragma once

#include <QDialog>

namespace marrowick {

class PlaceholderSheet : public QDialog {
    Q_OBJECT

public:
    PlaceholderSheet(const QString& title, const QString& line, QWidget* parent);
};

}  // namespace marrowick
