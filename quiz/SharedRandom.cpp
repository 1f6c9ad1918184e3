// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/SharedRandom.h"

#include "base/CalendarClock.h"

namespace miminomi {

void SharedRandom::srandTime() {
    srand(static_cast<std::uint32_t>(clock.nowSeconds()));
}

} // namespace miminomi
