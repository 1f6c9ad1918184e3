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
/// Runs an action once, when the widget it watches is first shown.
class OnFirstShow : public QObject {
public:
    OnFirstShow(QWidget *widget, std::function<void()> action)
        : QObject(widget), action(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            std::exchange(action, nullptr)();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> action;
};

/// Picture `name` rendered at `size`, or only its part `part` (in its own coordinates) when that
/// is not empty; each is rendered once and shared.
QPixmap render(const QString &name, QSize size, QRect part) {
    const QString key = QStringLiteral("miminomi/%1/%2x%3/%4,%5")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(part.x())
                            .arg(part.y());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    const QString path = QStringLiteral(":/assets/%1.svg").arg(name);
    if (!QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    if (!part.isEmpty())
        renderer.setViewBox(part);
    pixmap = QPixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

QPixmap Pictures::load(const QString &name, QSize size) {
    return render(name, size, {});
}

QPixmap Pictures::loadPart(const QString &name, QRect part) {
    return render(name, part.size(), part);
}

void Pictures::loadWhenShown(QLabel *label, const QString &name, QSize size) {
    onFirstShow(label, [label, name, size] { label->setPixmap(load(name, size)); });
}

void Pictures::onFirstShow(QWidget *widget, std::function<void()> action) {
    new OnFirstShow(widget, std::move(action));
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
