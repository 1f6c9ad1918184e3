// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/rtmidi/RtMidiPort.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace miminomi {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

/// Index of the first port whose name contains the text, checking the count first.
std::optional<unsigned> findPort(RtMidiOut &out, const std::string &namePart, std::string &name) {
    const std::string wanted = lowered(namePart);
    const unsigned count = out.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        const std::string candidate = out.getPortName(i);
        if (lowered(candidate).find(wanted) != std::string::npos) {
            name = candidate;
            return i;
        }
    }
    return std::nullopt;
}

void ignoreError(RtMidiError::Type, const std::string &, void *) {}

/// Whether an ALSA sequencer client can be made; RtMidi would print its failure on standard
/// error before throwing, so ask ALSA first (whose own messages are silenced).
bool sequencerAvailable() {
    snd_seq_t *seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0)
        return false;
    snd_seq_close(seq);
    return true;
}

} // namespace

std::unique_ptr<RtMidiPort> RtMidiPort::find(const std::string &namePart, std::string &whyNot) {
    if (!sequencerAvailable()) {
        whyNot = "no MIDI port matches \"" + namePart + "\" (the ALSA sequencer is not available)";
        return nullptr;
    }
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, "miminomi");
        // Without a callback RtMidi prints its warnings on standard error.
        out->setErrorCallback(&ignoreError, nullptr);
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
