// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/backends/MidiOutDevice.h"

#include <memory>
#include <mutex>
#include <span>
#include <string>

class RtMidiOut;

namespace miminomi {

/// The MIDI output on an ALSA sequencer port, through RtMidi. The port is connected on the
/// first open and kept; messages from the file player may arrive from its own thread.
class RtMidiPort final : public MidiOutDevice {
public:
    /// The first output port whose name contains namePart (ignoring case), or null with the
    /// reason in whyNot.
    static std::unique_ptr<RtMidiPort> find(const std::string &namePart, std::string &whyNot);
    ~RtMidiPort() override;

    const std::string &portName() const { return name; }
    /// Sends raw bytes, connecting the port if needed; safe from any thread.
    bool forward(std::span<const std::uint8_t> bytes);

protected:
    MidiResult deviceOpen() override;
    void deviceClose() override {}
    bool sendShort(std::span<const std::uint8_t> bytes) override { return forward(bytes); }
    bool sendSysex(std::span<const std::uint8_t> bytes) override { return forward(bytes); }

private:
    RtMidiPort(std::unique_ptr<RtMidiOut> out, std::string namePart, std::string name);
    static void keepError(int type, const std::string &text, void *self);
    bool connectLocked();

    std::mutex mutex;
    std::unique_ptr<RtMidiOut> out;
    std::string namePart;
    std::string name;
    bool connected = false;
    bool failed = false;
};

} // namespace miminomi
