// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/rtmidi/RtMidiPort.h"

#include "sound/backends/rtmidi/AlsaSequencer.h"

#include <RtMidi.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace miminomi {

namespace {

/// Index of the first port whose name contains the text, checking the count first.
std::optional<unsigned> findPort(RtMidiOut &out, const std::string &namePart, std::string &name) {
    const std::string wanted = rtmidi::lowered(namePart);
    const unsigned count = out.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        const std::string candidate = out.getPortName(i);
        if (rtmidi::lowered(candidate).find(wanted) != std::string::npos) {
            name = candidate;
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::unique_ptr<RtMidiPort> RtMidiPort::find(const std::string &namePart, std::string &whyNot) {
    if (!rtmidi::sequencerAvailable(false)) {
        whyNot = "no MIDI port matches \"" + namePart + "\" (the ALSA sequencer is not available)";
        return nullptr;
    }
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, "miminomi");
        // Without a callback RtMidi prints its warnings on standard error.
        out->setErrorCallback(&rtmidi::ignoreError, nullptr);
        std::string name;
        if (!findPort(*out, namePart, name)) {
            whyNot = "no MIDI port matches \"" + namePart + "\"";
            return nullptr;
        }
        return std::unique_ptr<RtMidiPort>(new RtMidiPort(std::move(out), namePart, name));
    } catch (const RtMidiError &error) {
        whyNot = "the ALSA sequencer is not available (" + error.getMessage() + ")";
    } catch (const std::exception &error) {
        whyNot = std::string("the ALSA sequencer is not available (") + error.what() + ")";
    }
    return nullptr;
}

RtMidiPort::RtMidiPort(std::unique_ptr<RtMidiOut> out, std::string namePart, std::string name)
    : out(std::move(out)), namePart(std::move(namePart)), name(std::move(name)) {
    this->out->setErrorCallback([](RtMidiError::Type type, const std::string &text,
                                   void *self) { keepError(static_cast<int>(type), text, self); },
                                this);
}

RtMidiPort::~RtMidiPort() {
    std::lock_guard lock(mutex);
    try {
        if (connected)
            out->closePort();
    } catch (...) {
    }
}

void RtMidiPort::keepError(int type, const std::string &, void *self) {
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
        static_cast<RtMidiPort *>(self)->failed = true;
}

MidiResult RtMidiPort::deviceOpen() {
    std::lock_guard lock(mutex);
    return connectLocked() ? MidiResult::ok : MidiResult::badDevice;
}

bool RtMidiPort::connectLocked() {
    if (connected)
        return true;
    try {
        // Ports come and go; look the name up again rather than trusting an old index.
        std::string current;
        const auto index = findPort(*out, namePart, current);
        if (!index)
            return false;
        failed = false;
        out->openPort(*index, "miminomi");
        connected = !failed && out->isPortOpen();
        if (connected)
            name = current;
    } catch (const std::exception &) {
        connected = false;
    }
    return connected;
}

bool RtMidiPort::forward(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex);
    if (!connectLocked())
        return false;
    try {
        failed = false;
        out->sendMessage(bytes.data(), bytes.size());
        return !failed;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace miminomi
