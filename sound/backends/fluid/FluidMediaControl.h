// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/backends/MidiFileMedia.h"

#include "sound/backends/fluid/FluidApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace miminomi {

class FluidSynthEngine;

/// Plays the pieces with FluidSynth's MIDI file player: into the embedded synthesiser, or,
/// given a forwarder, as raw MIDI bytes to an external port.
class FluidMediaControl final : public MidiFileMedia {
public:
    using Forward = std::function<void(std::span<const std::uint8_t>)>;

    explicit FluidMediaControl(FluidSynthEngine &engine, Forward forward = {});
    ~FluidMediaControl() override;

protected:
    MediaResult load(std::vector<std::uint8_t> smf) override;
    MediaResult start() override;
    MediaResult halt() override;
    void unload() override;

private:
    struct PlayerDeleter {
        void operator()(fluid_player_t *p) const { fluid().delete_fluid_player(p); }
    };

    static int forwardEvent(void *self, fluid_midi_event_t *event);
    void silence();

    FluidSynthEngine &engine;
    Forward forward;
    std::vector<std::uint8_t> piece;
    std::unique_ptr<fluid_player_t, PlayerDeleter> player;
    bool holding = false;
};

} // namespace miminomi
