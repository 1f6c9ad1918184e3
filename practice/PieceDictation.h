// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Choices.h"
#include "practice/Dictation.h"
#include "practice/PieceNotes.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace miminomi {

/// What the two ways of answering a piece by the program share: the piece read from its file, the
/// question they belong to, and the grade proposed for it. A proposal goes only to the question
/// it was made for: once that question has ended, moved on or had its answer shown, the dictation
/// is disarmed and a proposal is dropped (and said so).
class PieceDictation {
public:
    /// What became of the latest marking's proposal.
    enum class Proposal {
        none,    // nothing marked yet
        taken,   // put into the page's self-mark box, to be confirmed with "得点確定"
        dropped, // the question had ended: nothing was proposed
    };
    /// Proposes a grade, with the number of taps or notes given, to the question; false when that
    /// question has ended.
    using Proposer = std::function<bool(Choice grade, std::int32_t given)>;

    virtual ~PieceDictation() = default;
    PieceDictation(const PieceDictation &) = delete;
    PieceDictation &operator=(const PieceDictation &) = delete;

    /// The piece, 1 to 20.
    std::int32_t pieceNumber() const { return number; }
    /// The piece's notes; nullptr when the program cannot mark it (see problem()).
    const PieceNotes *piece() const { return reading ? &*reading : nullptr; }
    /// Why the program cannot mark the piece.
    std::optional<PieceNotes::Problem> problem() const;
    const std::optional<Dictation> &marking() const { return latest; }
    Proposal proposal() const { return proposed; }
    /// Whether a marking would still be proposed to the question.
    bool armed() const { return static_cast<bool>(proposer); }
    /// The question has ended or moved on: nothing is proposed from now on.
    void disarm();

    /// `changed` is told whenever anything shown may have changed, until `watcher` stops
    /// watching; one watcher at a time.
    void watch(const void *watcher, std::function<void()> changed);
    void unwatch(const void *watcher);

protected:
    PieceDictation(std::int32_t pieceNumber, Result<PieceNotes, PieceNotes::Problem> reading,
                   Proposer proposer)
        : number(pieceNumber), reading(std::move(reading)), proposer(std::move(proposer)) {}

    /// Keeps a marking of `given` taps or notes and proposes its grade while armed.
    void keep(Dictation marking, std::int32_t given);
    void changed();
    /// The disarming as the kind of dictation takes it.
    virtual void disarmed() {}

private:
    std::int32_t number;
    Result<PieceNotes, PieceNotes::Problem> reading;
    Proposer proposer;
    const void *watcher = nullptr;
    std::function<void()> onChanged;
    std::optional<Dictation> latest;
    Proposal proposed = Proposal::none;
};

} // namespace miminomi
