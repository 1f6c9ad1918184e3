// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fluidsynth.h>

#include <string>

namespace miminomi {

// The FluidSynth functions the backend calls.
#define MIMINOMI_FLUID_FUNCTIONS(X)                                                                \
    X(new_fluid_settings)                                                                          \
    X(delete_fluid_settings)                                                                       \
    X(fluid_settings_setstr)                                                                       \
    X(fluid_settings_setnum)                                                                       \
    X(fluid_settings_setint)                                                                       \
    X(fluid_settings_dupstr)                                                                       \
    X(fluid_free)                                                                                  \
    X(fluid_set_log_function)                                                                      \
    X(new_fluid_synth)                                                                             \
    X(delete_fluid_synth)                                                                          \
    X(fluid_synth_sfload)                                                                          \
    X(fluid_synth_write_float)                                                                     \
    X(fluid_synth_noteon)                                                                          \
    X(fluid_synth_noteoff)                                                                         \
    X(fluid_synth_cc)                                                                              \
    X(fluid_synth_program_change)                                                                  \
    X(fluid_synth_key_pressure)                                                                    \
    X(fluid_synth_channel_pressure)                                                                \
    X(fluid_synth_pitch_bend)                                                                      \
    X(fluid_synth_sysex)                                                                           \
    X(fluid_synth_all_notes_off)                                                                   \
    X(fluid_synth_get_active_voice_count)                                                          \
    X(new_fluid_audio_driver)                                                                      \
    X(delete_fluid_audio_driver)                                                                   \
    X(new_fluid_player)                                                                            \
    X(delete_fluid_player)                                                                         \
    X(fluid_player_add_mem)                                                                        \
    X(fluid_player_play)                                                                           \
    X(fluid_player_stop)                                                                           \
    X(fluid_player_set_playback_callback)                                                          \
    X(fluid_midi_event_get_type)                                                                   \
    X(fluid_midi_event_get_channel)                                                                \
    X(fluid_midi_event_get_key)                                                                    \
    X(fluid_midi_event_get_velocity)                                                               \
    X(fluid_midi_event_get_control)                                                                \
    X(fluid_midi_event_get_value)                                                                  \
    X(fluid_midi_event_get_program)                                                                \
    X(fluid_midi_event_get_pitch)

/// FluidSynth's functions, looked up in its library when the synthesiser is first needed: the
/// library and the many it depends on are then not loaded at all while the program starts, nor
/// in a run that never sounds.
struct FluidApi {
#define MIMINOMI_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    MIMINOMI_FLUID_FUNCTIONS(MIMINOMI_FLUID_POINTER)
#undef MIMINOMI_FLUID_POINTER

    /// Loads the library once; null, with the reason in `why`, when it cannot be loaded.
    static const FluidApi *load(std::string &why);
};

/// The loaded functions. Only valid after a successful FluidApi::load, which every path to a
/// synthesiser goes through (FluidSynthEngine::acquire).
const FluidApi &fluid();

} // namespace miminomi
