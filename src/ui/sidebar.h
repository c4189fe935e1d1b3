// The sidebar: brand, review navigation with counts, source films and the footer.
#pragma once

#include <string>
#include <vector>

#include <QWidget>

#include "model/uuid.h"

class QPushButton;
class QVBoxLayout;

namespace marrowick {

class NavEntry;
class ReviewDocument;
class ReviewStore;

class Sidebar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 214;

    Sidebar(ReviewStore& store, ReviewDocument& review, QWidget* parent = nullptr);

protected:
    // The window coming back to the front (or leaving it) checks the films again: they may have
    // been moved or restored meanwhile.
    void changeEvent(QEvent* event) override;

private:
    struct FilmRow {
        Uuid id;
        std::string path;
        bool present;
        std::size_t shots;
        std::string signOff;  // the sign-off state's text; empty when never signed off
        friend bool operator==(const FilmRow&, const FilmRow&) = default;
    };

    QWidget* brand();
    QWidget* footer();
    void addNavigation(QVBoxLayout* layout);
    void addFilms(QVBoxLayout* layout);
    void refreshCounts();
    void refreshFilms(const std::vector<FilmRow>& rows);
    void refreshHighlight();
    QWidget* signOffCaption(const FilmRow& row);
    void showFilmMenu(const Uuid& filmID, const QPoint& where);
    void choose(const std::string& key);

    ReviewStore& store_;  // runs the film operations
    ReviewDocument& review_;
    std::vector<std::pair<std::string, NavEntry*>> navigation_;
    std::vector<std::pair<std::string, NavEntry*>> filmEntries_;
    std::vector<FilmRow> filmRows_;
    std::vector<QWidget*> filmCaptions_;
    QWidget* filmList_ = nullptr;
    QPushButton* addFilms_ = nullptr;
};

}  // namespace marrowick
