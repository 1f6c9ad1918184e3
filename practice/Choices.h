// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace miminomi {

/// The item chosen in one answer list: its index, or noChoice when the list shows no item (no
/// selection, or text that names no item). Index 0 of every answer list is its blank item.
using Choice = std::int32_t;
inline constexpr Choice noChoice = -1;

/// The choices of a page's answer lists, in page order.
using Choices = std::vector<Choice>;

} // namespace miminomi
