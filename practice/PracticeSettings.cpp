// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/PracticeSettings.h"

namespace miminomi {

std::array<bool, MidiChord::chordCount> ChordTypeChoice::permittedTypes() const {
    return {true,
            true,
            sevenths,
            sevenths,
            sevenths,
            sevenths,
            sixths,
            sixths,
            sixNines,
            sixNines,
            suspendedFourth,
            seventhSuspendedFourth,
            diminishedSeventh,
            augmented};
}

} // namespace miminomi
