// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MidiInput.h"

#include <algorithm>
#include <cctype>

namespace miminomi::testing {

/// A MIDI keyboard the test plays: ports by name, and keys struck by hand on the open one.
class FakeMidiInput : public MidiInput {
public:
    explicit FakeMidiInput(std::vector<std::string> names = {"Fake Keyboard:0"})
        : names(std::move(names)) {}

    std::vector<std::string> ports() override { return names; }
    Result<void, std::string> open(const std::string &namePart) override {
        close();
        for (const std::string &candidate : names)
            if (lowered(candidate).find(lowered(namePart)) != std::string::npos) {
                name = candidate;
                return {};
            }
        return "no MIDI input matches \"" + namePart + "\"";
    }
    void close() override { name.clear(); }
    std::string portName() const override { return name; }

    /// Strikes `note` on the open port; nothing happens with none open.
    void strike(std::uint8_t note, std::uint8_t velocity = 80) {
        if (!name.empty() && onNoteOn)
            onNoteOn(note, velocity);
    }

private:
    static std::string lowered(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }

    std::vector<std::string> names;
    std::string name;
};

} // namespace miminomi::testing
