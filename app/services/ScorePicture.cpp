// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/ScorePicture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace miminomi {

QImage ScorePicture::load(const QString &path) {
    // A named pipe or a device would block or never end; only a regular file is opened.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxFileBytes)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return load(file, info.suffix().toLower().toLatin1());
}

QImage ScorePicture::load(QIODevice &device, const QByteArray &format) {
    // A BMP names its file size in its header. Qt decodes a cut-off run-length BMP without a
    // complaint, giving a partly black picture, so one shorter than it says is not decoded.
    const QByteArray head = device.peek(6);
    if (head.size() == 6 && head.startsWith("BM") && !device.isSequential()) {
        const quint32 fileSize = quint8(head[2]) | quint8(head[3]) << 8 | quint8(head[4]) << 16 |
                                 quint32(quint8(head[5])) << 24;
        if (fileSize > device.size() - device.pos())
            return {};
    }
    QImageReader reader(&device, format);
    // The size comes from the header. A compressed picture of a few bytes may claim any size, so
    // one that is too large, or whose size cannot be told before decoding, is not decoded.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maxSide || size.height() > maxSide ||
        qint64(size.width()) * size.height() > maxPixels)
        return {};
    // Decoding within the limits above needs at most 16 MiB (four bytes a pixel); the reader
    // refuses to allocate more, whatever its format does with the size.
    reader.setAllocationLimit(int(maxPixels * 4 >> 20));
    return reader.read();
}

} // namespace miminomi
