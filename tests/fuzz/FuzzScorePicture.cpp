#include "app/ScorePicture.h"
#include "tests/fuzz/FuzzTargets.h"

#include <QBuffer>

#include <algorithm>

namespace miminomi::fuzz {

namespace {

/// The decoders inside Qt carry no coverage instrumentation, so libFuzzer would see every picture
/// alike and keep none of them to mutate further. Branches on what came out (format, size,
/// colours) tell it apart the inputs that decode differently.
void guideByOutcome(const QImage &picture) {
    volatile int seen = 0;
    switch (picture.format()) {
    case QImage::Format_Invalid:
        return;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        seen = seen + 1;
        break;
    case QImage::Format_Indexed8:
        seen = seen + 2;
        break;
    case QImage::Format_RGB32:
        seen = seen + 3;
        break;
    case QImage::Format_ARGB32:
        seen = seen + 4;
        break;
    default:
        seen = seen + 5;
        break;
    }
    for (int bit = 0; bit < 13; ++bit) {
        if (picture.width() >> bit & 1)
            seen = seen + 1;
        if (picture.height() >> bit & 1)
            seen = seen + 1;
    }
    for (int colours = picture.colorCount(); colours > 0; colours /= 2)
        seen = seen + 1;
    if (picture.hasAlphaChannel())
        seen = seen + 1;
    // Sixteen classes of the first pixels' values.
    unsigned hash = 0;
    const auto bytes = std::min<qsizetype>(picture.sizeInBytes(), 256);
    for (qsizetype i = 0; i < bytes; ++i)
        hash = hash * 31 + picture.constBits()[i];
    switch (hash % 16) {
    case 0:
        seen = seen + 1;
        break;
    case 1:
        seen = seen + 2;
        break;
    case 2:
        seen = seen + 3;
        break;
    case 3:
        seen = seen + 4;
        break;
    case 4:
        seen = seen + 5;
        break;
    case 5:
        seen = seen + 6;
        break;
    case 6:
        seen = seen + 7;
        break;
    case 7:
        seen = seen + 8;
        break;
    case 8:
        seen = seen + 9;
        break;
    case 9:
        seen = seen + 10;
        break;
    case 10:
        seen = seen + 11;
        break;
    case 11:
        seen = seen + 12;
        break;
    case 12:
        seen = seen + 13;
        break;
    case 13:
        seen = seen + 14;
        break;
    case 14:
        seen = seen + 15;
        break;
    default:
        seen = seen + 16;
        break;
    }
}

} // namespace

bool scorePicture(std::span<const std::uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char *>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // As showPieceAnswer reads "riumN.bmp": the name says BMP, the bytes may say otherwise.
    const QImage picture = ScorePicture::load(buffer, "bmp");
    guideByOutcome(picture);
    return picture.isNull() ||
           (picture.width() <= ScorePicture::maxSide && picture.height() <= ScorePicture::maxSide &&
            qint64(picture.width()) * picture.height() <= ScorePicture::maxPixels);
}

} // namespace miminomi::fuzz
