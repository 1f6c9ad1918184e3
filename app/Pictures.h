#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace miminomi {

/// The pictures compiled into the program, drawn as SVG and rendered at their fixed pixel size.
class Pictures {
public:
    /// Renders :/assets/<name>.svg at exactly `size`; a null pixmap when there is no such picture.
    static QPixmap load(const QString &name, QSize size);
    /// The window icon, with its 32 × 32 and 16 × 16 images.
    static QIcon windowIcon();
};

} // namespace miminomi
