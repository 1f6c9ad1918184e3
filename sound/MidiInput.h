// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace miminomi {

/// A MIDI keyboard the learner plays into: the notes struck on one input port. The program's is
/// an ALSA sequencer port through RtMidi; the tests' is a fake they strike keys on.
class MidiInput {
public:
    virtual ~MidiInput() = default;

    /// The names of the input ports there are now.
    virtual std::vector<std::string> ports() = 0;
    /// Opens the first input port whose name contains `namePart` (ignoring case), closing the
    /// one open before; the reason when there is none or it cannot be opened.
    virtual Result<void, std::string> open(const std::string &namePart) = 0;
    virtual void close() = 0;
    /// The open port's name; empty when none is open.
    virtual std::string portName() const = 0;

    /// Told of each note-on (velocity above 0) on any channel, with its note number and
    /// velocity. The program's input tells it on its own thread: a window passes it on to its
    /// own (QMetaObject::invokeMethod with a queued connection).
    std::function<void(std::uint8_t note, std::uint8_t velocity)> onNoteOn;
};

} // namespace miminomi
