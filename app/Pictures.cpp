#include "app/Pictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

namespace miminomi {

QPixmap Pictures::load(const QString &name, QSize size) {
    const QString path = QStringLiteral(":/assets/%1.svg").arg(name);
    if (!QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
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
