// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the scalable application icon to the PNG sizes of the hicolor icon theme, for desktops
// that do not draw SVG icons themselves:
//   miminomi_render_icon <icon.svg> <folder> <name> <size>...
// writes <folder>/<size>x<size>/apps/<name>.png for every size.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

namespace {

// Draws the icon on a transparent square of side pixels and writes it as PNG; false on failure.
bool renderSize(QSvgRenderer &renderer, int side, const QString &folder, const QString &name) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, side, side));
    }
    const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
    if (!QDir().mkpath(sizeFolder)) {
        std::fprintf(stderr, "cannot make the folder %s\n", qPrintable(sizeFolder));
        return false;
    }
    const QString path = QStringLiteral("%1/%2.png").arg(sizeFolder, name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <icon.svg> <folder> <name> <size>...\n", argv[0]);
        return EXIT_FAILURE;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read the SVG picture %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool isNumber = false;
        const int side = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || side <= 0 || side > 4096) {
            std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
            return EXIT_FAILURE;
        }
        if (!renderSize(renderer, side, folder, name))
            return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
