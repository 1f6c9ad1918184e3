// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/PieceDictation.h"

namespace miminomi {

std::optional<PieceNotes::Problem> PieceDictation::problem() const {
    if (reading)
        return std::nullopt;
    return reading.reason();
}

void PieceDictation::disarm() {
    if (!proposer)
        return;
    proposer = nullptr;
    disarmed();
    changed();
}

void PieceDictation::keep(Dictation marking, std::int32_t given) {
    const Choice grade = marking.proposedGrade();
    latest = std::move(marking);
    proposed = proposer && proposer(grade, given) ? Proposal::taken : Proposal::dropped;
    changed();
}

void PieceDictation::watch(const void *by, std::function<void()> changed) {
    watcher = by;
    onChanged = std::move(changed);
}

void PieceDictation::unwatch(const void *by) {
    if (watcher != by)
        return; // another has watched since
    watcher = nullptr;
    onChanged = nullptr;
}

void PieceDictation::changed() {
    if (onChanged)
        onChanged();
}

} // namespace miminomi
