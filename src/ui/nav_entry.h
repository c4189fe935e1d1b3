// One navigation entry of the sidebar: a symbol, a title and an optional count.
#pragma once

#include <optional>

#include <QAbstractButton>
#include <QColor>

namespace marrowick {

// A checkable flat button; checked means highlighted (its key equals the list's filter).
class NavEntry : public QAbstractButton {
    Q_OBJECT

public:
    NavEntry(QString symbol, QString title, QWidget* parent = nullptr);

    void setSymbol(const QString& symbol, const QColor& color);
    const QString& symbol() const { return symbol_; }
    std::optional<std::size_t> count() const { return count_; }
    void setCount(std::optional<std::size_t> count);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString symbol_;
    QColor symbolColor_;
    std::optional<std::size_t> count_;
    bool hovered_ = false;
};

}  // namespace marrowick
