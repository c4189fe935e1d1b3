// The About box: the program's version, the Qt it runs on, where its resources are, and the
// licences of the label artwork and of the libraries it links (the notices file shipped with it).
#pragma once

#include <filesystem>

#include <QDialog>

class QTextBrowser;

namespace marrowick {

class AboutView : public QDialog {
    Q_OBJECT

public:
    AboutView(const std::filesystem::path& resourceRoot, QWidget* parent);

    // The notices as shown (their text without markup), or the sentence that says they are missing.
    QString notices() const;

private:
    QTextBrowser* notices_;
};

}  // namespace marrowick
