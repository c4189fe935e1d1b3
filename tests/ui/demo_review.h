// A review that looks like real work: films with painted frame thumbnails, categories, groups,
// decisions and doubtful cuts. Used by the screenshot program and the shot library benchmark.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "model/project.h"
#include "workspace_fixtures.h"

namespace marrowick::testing {

// A 16:9 frame of a "scene": a graded sky over ground with a light and a few shapes, as JPEG.
inline Blob paintedFrame(int scene) {
    static const QColor skies[][2] = {
        {{18, 32, 68}, {214, 120, 64}}, {{10, 14, 26}, {40, 60, 110}}, {{96, 150, 200}, {220, 230, 236}},
        {{40, 28, 22}, {160, 110, 70}}, {{20, 46, 40}, {120, 170, 140}}, {{60, 20, 50}, {230, 140, 120}},
        {{30, 30, 34}, {120, 120, 128}}, {{8, 40, 80}, {60, 160, 210}},
    };
    const auto& sky = skies[scene % 8];
    QImage image(320, 180, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 180);
    gradient.setColorAt(0, sky[0]);
    gradient.setColorAt(0.62, sky[1]);
    gradient.setColorAt(0.63, sky[0].darker(180));
    gradient.setColorAt(1, sky[0].darker(260));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 200, 200));
    painter.drawEllipse(QPointF(60 + (scene * 53) % 200, 50 + (scene * 17) % 40), 14, 14);
    for (int i = 0; i < 5; ++i) {
        const int width = 22 + (scene * 7 + i * 13) % 40;
        const int height = 30 + (scene * 11 + i * 29) % 60;
        painter.setBrush(sky[0].darker(140 + i * 20));
        painter.drawRect(i * 68 + (scene * 5) % 30, 112 - height, width, height + 68);
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return makeBlob(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// `films` films of `shotsPerFilm` shots; every shot has a thumbnail from `scenes` painted frames.
inline Project demoReview(const std::vector<std::string>& paths, int shotsPerFilm, int scenes = 24) {
    static const char* categories[] = {"street, night", "coast, water", "", "portrait, interior", "aerial, city",
                                       "forest", "crowd, exterior", ""};
    std::vector<Blob> frames;
    for (int scene = 0; scene < scenes; ++scene) frames.push_back(paintedFrame(scene));

    Project project = makeProject(static_cast<int>(paths.size()), shotsPerFilm);
    project.name = "Harbour Lights \u00b7 festival cut";
    for (std::size_t f = 0; f < paths.size(); ++f) project.films[f].path = paths[f];
    for (std::size_t i = 0; i < project.shots.size(); ++i) {
        Shot& shot = project.shots.mut(i);
        const int scene = static_cast<int>((i * 7) % static_cast<std::size_t>(scenes));
        shot.thumbnail = frames[static_cast<std::size_t>(scene)];
        shot.feature = makeBlob({1});
        shot.category = categories[scene % 8];
        shot.group = scene % 3 == 0 ? 0 : scene / 3 + 1;
        shot.boundaryScore = i % 9 == 4 ? 0.62 : 0.97;
        shot.disclosure = i % 5 == 1 ? Disclosure::modified
                          : i % 7 == 2 ? Disclosure::generated
                          : i % 4 == 3 ? Disclosure::none
                                       : Disclosure::unreviewed;
    }
    return project;
}

}  // namespace marrowick::testing
