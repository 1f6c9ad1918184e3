// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

namespace miminomi {

/// A small piano keyboard of a given number of keys from a lowest key; a click on a key tells its
/// note. Under each C's octave stands the label `labelOfC` gives that C.
class PianoKeys : public QWidget {
public:
    PianoKeys(std::int32_t lowestKey, std::int32_t keys, QWidget *parent = nullptr);

    /// The note of the key at `point`, the black keys lying over the white ones.
    std::optional<std::int32_t> keyAt(QPoint point) const;
    /// Where the key of `note` is drawn.
    QRect rectOf(std::int32_t note) const;

    /// Told the note of a key clicked.
    std::function<void(std::int32_t note)> onKey;
    /// The label under the octave of each C.
    std::function<QString(std::int32_t note)> labelOfC;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::int32_t lowest;
    std::int32_t count;
};

} // namespace miminomi
