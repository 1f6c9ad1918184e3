#include "app/PictureButton.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace miminomi {

PictureButton::PictureButton(const QString &text, const QPixmap &picture, QWidget *parent)
    : QPushButton(text, parent), image(picture) {}

void PictureButton::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    if (!image.isNull()) {
        const QPixmap shown =
            isEnabled() ? image : QIcon(image).pixmap(image.size(), QIcon::Disabled);
        const QPoint topLeft((width() - image.width()) / 2, (height() - image.height()) / 2);
        painter.drawPixmap(topLeft, shown);
    }

    const int alignment =
        image.isNull() ? Qt::AlignCenter | Qt::TextWordWrap : Qt::AlignHCenter | Qt::AlignBottom;
    const QRect textArea = rect().adjusted(2, 2, -2, image.isNull() ? -2 : -4);
    painter.drawItemText(textArea, alignment, palette(), isEnabled(), text(), QPalette::ButtonText);
}

} // namespace miminomi
