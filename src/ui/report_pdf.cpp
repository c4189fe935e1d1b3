// The review report laid out by Qt's rich-text engine on PDF pages. Runs on a worker thread:
// pictures are handed over as QImage resources, which the layout draws off the main thread.
#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <vector>

#include "model/review_error.h"
#include "ui/report_file.h"

namespace marrowick::ReportFile {
namespace {

constexpr int kPictureSourceWidth = 144;

QPageSize localPaper() {
    const bool usUnits = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(usUnits ? QPageSize::Letter : QPageSize::A4);
}

void addPictures(QTextDocument& document, const std::vector<Shot>& shots, std::stop_token stop) {
    for (std::size_t index = 0; index < shots.size(); ++index) {
        if (stop.stop_requested()) throw Cancelled();
        const Blob& bytes = shots[index].thumbnail;
        QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
        QBuffer source(&data);
        QImageReader reader(&source, "JPEG");
        // The JPEG decoder scales while decoding: twice the width the page shows keeps the
        // picture sharp in print and the file small.
        const QSize size = reader.size();
        if (size.width() > kPictureSourceWidth)
            reader.setScaledSize(QSize(kPictureSourceWidth, std::max(1, size.height() * kPictureSourceWidth / size.width())));
        const QImage picture = reader.read();
        if (picture.isNull()) continue;
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("thumb:%1").arg(index)),
                             QVariant::fromValue(picture));
    }
}

}  // namespace

std::string pdf(const Project& project, const ReviewReport::Options& options) {
    std::vector<Shot> pictured;
    ReviewReport::Options paged = options;
    paged.picture = [&pictured](const Shot& shot) {
        if (!shot.thumbnail || shot.thumbnail->empty()) return std::string();
        pictured.push_back(shot);
        return "thumb:" + std::to_string(pictured.size() - 1);
    };
    const std::string html = ReviewReport::html(project, paged);

    QTextDocument document;
    // Without shaping, Latin text is set without ligatures, so the PDF's text reads back letter
    // for letter ("Signed off", not a ligature character) when copied or searched.
    QFont font = document.defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    addPictures(document, pictured, options.stop);
    document.setHtml(QString::fromStdString(html));
    if (options.stop.stop_requested()) throw Cancelled();

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(localPaper());
        writer.setPageOrientation(QPageLayout::Landscape);  // room for the shot table's seven columns
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("Review report: %1").arg(QString::fromStdString(project.name)));
        writer.setCreator(QStringLiteral("Marrowick %1").arg(QString::fromStdString(options.version)));
        document.print(&writer);
    }
    if (buffer.data().isEmpty()) throw ReviewError("The PDF report could not be laid out.");
    return buffer.data().toStdString();
}

}  // namespace marrowick::ReportFile
