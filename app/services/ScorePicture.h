// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

namespace miminomi {

/// A piece's score picture, shown as the answer of a rhythm or melody question.
class ScorePicture {
public:
    /// Largest picture read, per side and in all. The score pictures are 550 × 160; a far larger
    /// one is a damaged or wrong file, and decoding it could take hundreds of MiB.
    static constexpr int maxSide = 4096;
    static constexpr qint64 maxPixels = qint64(4096) * 1024;
    /// Largest picture file opened.
    static constexpr qint64 maxFileBytes = qint64(32) << 20;

    /// The picture in the file at `path`, or a null image when the file is missing, not a
    /// regular file, larger than maxFileBytes, not a readable picture, a BMP shorter than its
    /// header says, or of a size beyond the limits, which is checked from the picture's header
    /// before any pixel is decoded.
    static QImage load(const QString &path);

    /// As `load`, from the bytes of an open device; `format` is the format the file name
    /// suggests ("bmp"), or empty to tell it from the bytes alone.
    static QImage load(QIODevice &device, const QByteArray &format = {});
};

} // namespace miminomi
