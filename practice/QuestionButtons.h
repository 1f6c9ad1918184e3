// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace miminomi {

/// Which question buttons the learner can press.
struct QuestionButtons {
    bool next = true;        // "新規出題"
    bool retry = false;      // "もう一度"
    bool check = false;      // "採点"
    bool showAnswer = false; // "正解を見る"
    /// "得点確定" of the page on show (only a rhythm or melody page has one).
    bool selfCheck = false;

    bool operator==(const QuestionButtons &) const = default;
};

} // namespace miminomi
