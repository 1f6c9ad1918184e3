#include "quiz/SharedRandom.h"

#include "base/CalendarClock.h"

namespace miminomi {

void SharedRandom::srandTime() {
    srand(static_cast<std::uint32_t>(clock.nowSeconds()));
}

} // namespace miminomi
