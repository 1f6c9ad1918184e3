// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StoredQuestion.h"
#include "practice/MarkedQuestion.h"

namespace miminomi {

/// A question as it ended, in the terms the history keeps: each answer row with what was asked
/// and chosen (pitch class, octave, type code), a piece with its grade, and the settings.
StoredQuestion storedQuestionOf(const MarkedQuestion &question);

} // namespace miminomi
