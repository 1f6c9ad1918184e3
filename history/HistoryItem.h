// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Tally.h"

#include <compare>
#include <cstdint>
#include <map>

namespace miminomi {

/// What a learner can be right or wrong about, as the statistics list it and the weak-spot draw
/// weighs it.
enum class ItemKind : std::int32_t {
    note,      // single notes: the note number, the pitch named by a name and a height together
    noteName,  // single notes answered by a name alone: its pitch class 0..11 (confusions)
    scale,     // scales: type code with the key's pitch class (-1 for a Japanese scale)
    scaleType, // scales: the type alone (confusions)
    scaleKey,  // scales: the key of a tonal or church scale (confusions)
    chordType, // chords: the type code 0..13
    chordRoot, // chords: the root's pitch class
    piece,     // rhythm and melody: the piece number
};

struct ItemKey {
    ItemKind kind = ItemKind::note;
    std::int32_t value = 0;
    /// A second part of the item: the key of a scale; -1 otherwise.
    std::int32_t key = -1;

    auto operator<=>(const ItemKey &) const = default;
};

/// Right and wrong answers per item.
using ItemTallies = std::map<ItemKey, Tally>;

} // namespace miminomi
