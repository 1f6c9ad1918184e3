// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Dictation.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

namespace miminomi {

/// The piece's notes over the notes entered, set in columns as the marking aligned them, so that
/// the two rows never drift apart after the first difference: a note missing or extra leaves an
/// empty cell in the other row. What met is green, the rest coral.
class MelodyComparison : public QWidget {
public:
    explicit MelodyComparison(QWidget *parent = nullptr);

    void setData(std::vector<std::int32_t> pieceNotes, std::vector<std::int32_t> entered,
                 std::optional<Dictation> marking);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    /// Where each column goes in a widget of the given width: one cell a column, as high as a
    /// pair of rows.
    std::vector<QRect> cells(int availableWidth) const;

    std::vector<std::int32_t> pieceNotes;
    std::vector<std::int32_t> entered;
    std::optional<Dictation> marking;
};

} // namespace miminomi
