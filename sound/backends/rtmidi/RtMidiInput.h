// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiInput.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

class RtMidiIn;

namespace miminomi {

/// A MIDI keyboard on an ALSA sequencer input port, through RtMidi. The sequencer client is made
/// when the ports are first asked for, so that a machine without one costs nothing until then.
class RtMidiInput final : public MidiInput {
public:
    RtMidiInput();
    ~RtMidiInput() override;

    std::vector<std::string> ports() override;
    Result<void, std::string> open(const std::string &namePart) override;
    void close() override;
    std::string portName() const override { return name; }

    /// The note number and velocity of a note-on message; nothing for any other message (a
    /// note-on of velocity 0 is a note-off).
    static std::optional<std::pair<std::uint8_t, std::uint8_t>> noteOnOf(const std::uint8_t *bytes,
                                                                         std::size_t size);

private:
    /// Makes the sequencer client if there is none yet; the reason when it cannot.
    std::optional<std::string> client();
    static void received(double stamp, std::vector<unsigned char> *message, void *self);

    std::unique_ptr<RtMidiIn> in;
    std::string name;
};

} // namespace miminomi
