// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/rtmidi/RtMidiInput.h"

#include "sound/backends/rtmidi/AlsaSequencer.h"

#include <RtMidi.h>

#include <algorithm>
#include <cctype>

namespace miminomi {

RtMidiInput::RtMidiInput() = default;

RtMidiInput::~RtMidiInput() {
    close();
}

std::optional<std::string> RtMidiInput::client() {
    if (in)
        return std::nullopt;
    if (!rtmidi::sequencerAvailable(true))
        return "the ALSA sequencer is not available";
    try {
        in = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, "miminomi");
        // Without a callback RtMidi prints its warnings on standard error.
        in->setErrorCallback(&rtmidi::ignoreError, nullptr);
        // Only note messages are wanted: no system exclusive, timing or active sensing.
        in->ignoreTypes(true, true, true);
        in->setCallback(&RtMidiInput::received, this);
        return std::nullopt;
    } catch (const std::exception &error) {
        in.reset();
        return std::string("the ALSA sequencer is not available (") + error.what() + ")";
    }
}

std::vector<std::string> RtMidiInput::ports() {
    std::vector<std::string> names;
    if (client())
        return names;
    try {
        const unsigned count = in->getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names.push_back(in->getPortName(i));
    } catch (const std::exception &) {
    }
    return names;
}

Result<void, std::string> RtMidiInput::open(const std::string &namePart) {
    close();
    if (const auto whyNot = client())
        return "no MIDI input matches \"" + namePart + "\" (" + *whyNot + ")";
    const std::string wanted = rtmidi::lowered(namePart);
    try {
        const unsigned count = in->getPortCount();
        for (unsigned i = 0; i < count; ++i) {
            const std::string candidate = in->getPortName(i);
            if (rtmidi::lowered(candidate).find(wanted) == std::string::npos)
                continue;
            in->openPort(i, "miminomi input");
            if (!in->isPortOpen())
                return "the MIDI input \"" + candidate + "\" could not be opened";
            name = candidate;
            return {};
        }
    } catch (const std::exception &error) {
        return std::string("the MIDI input could not be opened (") + error.what() + ")";
    }
    return "no MIDI input matches \"" + namePart + "\"";
}

void RtMidiInput::close() {
    if (in && in->isPortOpen()) {
        try {
            in->closePort();
        } catch (...) {
        }
    }
    name.clear();
}

std::optional<std::pair<std::uint8_t, std::uint8_t>>
RtMidiInput::noteOnOf(const std::uint8_t *bytes, std::size_t size) {
    if (size < 3 || (bytes[0] & 0xF0) != 0x90 || bytes[1] > 127 || bytes[2] == 0 || bytes[2] > 127)
        return std::nullopt;
    return std::pair{bytes[1], bytes[2]};
}

void RtMidiInput::received(double, std::vector<unsigned char> *message, void *self) {
    auto *input = static_cast<RtMidiInput *>(self);
    if (!message || !input->onNoteOn)
        return;
    if (const auto noteOn = noteOnOf(message->data(), message->size()))
        input->onNoteOn(noteOn->first, noteOn->second);
}

} // namespace miminomi
