// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace miminomi {

/// Whether the bytes are a Standard MIDI File the player can read: a well-formed header with
/// metrical timing and every announced track present, each track a sequence of complete events
/// that ends with its end-of-track event inside the chunk. Pure; never reads past the span.
bool isReadableStandardMidiFile(std::span<const std::uint8_t> bytes);

} // namespace miminomi
