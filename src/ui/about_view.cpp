// The About box's rows and the notices read from the resource root.
#include "ui/about_view.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "model/resource_root.h"
#include "ui/sheet_layout.h"
#include "ui/theme.h"
#include "ui/widget_factory.h"

namespace marrowick {
namespace {

// A path as seen from the program's own folder ("../share/marrowick/NOTICES.md"), which stays
// true wherever the program is installed; the path itself only when the program is unknown.
QString fromProgram(const std::filesystem::path& path) {
    const std::filesystem::path program = runningExecutable().parent_path();
    const std::filesystem::path relative = std::filesystem::absolute(path).lexically_normal().lexically_relative(program);
    if (program.empty() || relative.empty()) return QString::fromStdString(path.string());
    return QString::fromStdString(relative.string()) + QStringLiteral(" (from the program's folder)");
}

QString noticesText(const std::filesystem::path& resourceRoot) {
    const std::filesystem::path path = resourceRoot / "NOTICES.md";
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The licence notices are missing (%1). Reinstall Marrowick.")
            .arg(fromProgram(path));
    return QString::fromUtf8(file.readAll());
}

QLabel* selectable(QLabel* label) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AboutView::AboutView(const std::filesystem::path& resourceRoot, QWidget* parent) : QDialog(parent) {
    QVBoxLayout* column = SheetLayout::doneSheet(*this, QStringLiteral("About Marrowick"), QSize(680, 640));
    column->addWidget(selectable(WidgetFactory::label(
        QStringLiteral("Version %1 · Qt %2").arg(QApplication::applicationVersion(), QString::fromLatin1(qVersion())),
        Theme::font(13), Theme::kText, this)));
    column->addWidget(selectable(SheetLayout::caption(
        QStringLiteral("Resources: %1").arg(fromProgram(resourceRoot)), this)));
    column->addSpacing(8);
    notices_ = new QTextBrowser(this);
    notices_->setOpenExternalLinks(true);
    notices_->setFrameShape(QFrame::NoFrame);
    notices_->setMarkdown(noticesText(resourceRoot));
    column->addWidget(notices_, 1);
}

QString AboutView::notices() const { return notices_->toPlainText(); }

}  // namespace marrowick
