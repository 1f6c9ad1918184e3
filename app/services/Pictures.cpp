// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/Pictures.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <utility>

namespace miminomi {

namespace {

/// Puts a picture into its label the first time the label is shown.
class PictureOnShow : public QObject {
public:
    PictureOnShow(QLabel *label, const QString &name, QSize size)
        : QObject(label), name(name), size(size) {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            auto *label = static_cast<QLabel *>(watched);
            label->removeEventFilter(this);
            label->setPixmap(Pictures::load(name, size));
            deleteLater();
        }
        return false;
    }

private:
    QString name;
    QSize size;
};

} // namespace

QPixmap Pictures::load(const QString &name, QSize size) {
    // Each picture is rendered once; the windows share the rendered copy.
    const QString key =
        QStringLiteral("miminomi/%1/%2x%3").arg(name).arg(size.width()).arg(size.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    const QString path = QStringLiteral(":/assets/%1.svg").arg(name);
    if (!QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    pixmap = QPixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void Pictures::loadWhenShown(QLabel *label, const QString &name, QSize size) {
    new PictureOnShow(label, name, size);
}

QIcon Pictures::windowIcon() {
    QIcon icon;
    for (const auto &[name, side] : {std::pair{"icon32", 32}, std::pair{"icon16", 16}}) {
        const QPixmap image = load(QString::fromLatin1(name), {side, side});
        if (!image.isNull())
            icon.addPixmap(image);
    }
    return icon;
}

} // namespace miminomi
