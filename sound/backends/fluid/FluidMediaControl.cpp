// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/backends/fluid/FluidMediaControl.h"

#include "sound/MidiBytes.h"

#include "sound/backends/fluid/FluidSynthEngine.h"

namespace miminomi {

FluidMediaControl::FluidMediaControl(FluidSynthEngine &engine, Forward forward)
    : engine(engine), forward(std::move(forward)) {}

FluidMediaControl::~FluidMediaControl() {
    unload();
}

MediaResult FluidMediaControl::load(std::vector<std::uint8_t> smf) {
    unload();
    // Without a synthesiser or an audio output (no sound card) the engine has said why, once.
    // The piece is readable, as the caller checked, so it plays as silence, as with the silent
    // backend: the learner can still take the question and see its answer, and is not sent to
    // look for files that are there.
    if (!engine.acquire())
        return MediaResult::ok;
    holding = true;
    piece = std::move(smf);
    player.reset(fluid().new_fluid_player(engine.synth()));
    if (!player ||
        fluid().fluid_player_add_mem(player.get(), piece.data(), piece.size()) != FLUID_OK) {
        unload();
        return MediaResult::noDevice;
    }
    if (forward)
        fluid().fluid_player_set_playback_callback(player.get(), &FluidMediaControl::forwardEvent,
                                                   this);
    return MediaResult::ok;
}

MediaResult FluidMediaControl::start() {
    return player && fluid().fluid_player_play(player.get()) == FLUID_OK ? MediaResult::ok
                                                                         : MediaResult::noDevice;
}

MediaResult FluidMediaControl::halt() {
    if (!player)
        return MediaResult::noDevice;
    fluid().fluid_player_stop(player.get());
    silence();
    return MediaResult::ok;
}

void FluidMediaControl::unload() {
    if (player) {
        player.reset(); // joins the player's timer, so no event follows
        silence();
    }
    if (holding)
        engine.release();
    holding = false;
}

void FluidMediaControl::silence() {
    if (forward) {
        for (std::uint8_t channel = 0; channel < 16; ++channel) {
            const std::uint8_t allNotesOff[3] = {midi::onChannel(midi::controlChange, channel),
                                                 midi::allNotesOff, 0};
            forward(allNotesOff);
        }
    } else if (engine.synth() != nullptr) {
        fluid().fluid_synth_all_notes_off(engine.synth(), -1);
    }
}

int FluidMediaControl::forwardEvent(void *self, fluid_midi_event_t *event) {
    auto &media = *static_cast<FluidMediaControl *>(self);
    const int type = fluid().fluid_midi_event_get_type(event);
    const auto status =
        static_cast<std::uint8_t>(type | fluid().fluid_midi_event_get_channel(event));
    std::uint8_t bytes[3] = {status, 0, 0};
    std::size_t length = 3;
    switch (type) {
    case midi::noteOff:
    case midi::noteOn:
        bytes[1] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_key(event));
        bytes[2] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_velocity(event));
        break;
    case midi::polyPressure:
        bytes[1] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_key(event));
        bytes[2] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_value(event));
        break;
    case midi::controlChange:
        bytes[1] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_control(event));
        bytes[2] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_value(event));
        break;
    case midi::programChange:
    case midi::channelPressure:
        bytes[1] = static_cast<std::uint8_t>(fluid().fluid_midi_event_get_program(event));
        length = 2;
        break;
    case midi::pitchBend: {
        const int pitch = fluid().fluid_midi_event_get_pitch(event);
        bytes[1] = static_cast<std::uint8_t>(pitch & 0x7F);
        bytes[2] = static_cast<std::uint8_t>(pitch >> 7 & 0x7F);
        break;
    }
    default:
        return FLUID_OK; // meta and System Exclusive events of a piece are not forwarded
    }
    media.forward(std::span<const std::uint8_t>(bytes, length));
    return FLUID_OK;
}

} // namespace miminomi
