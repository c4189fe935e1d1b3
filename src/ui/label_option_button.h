// A decision choice showing the official label artwork, a radio mark, the title and its key.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include "model/disclosure.h"

namespace marrowick {

class LabelOptionButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int kArtworkHeight = 35;

    LabelOptionButton(Disclosure disclosure, const QString& key, QWidget* parent = nullptr);

    Disclosure disclosure() const { return disclosure_; }
    // The artwork picture in the project's label style; a null pixmap when it cannot be read.
    void setArtwork(const QPixmap& artwork);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The mark follows the shot's decision, not the click.
    void nextCheckState() override {}

private:
    Disclosure disclosure_;
    QString key_;
    QPixmap artwork_;
};

}  // namespace marrowick
