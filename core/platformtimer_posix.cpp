#include "platformtimer.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace PlatformTimer {

void useExactSleeps() {
#ifdef __linux__
    static const bool exact = ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
    (void)exact;
#endif
}

} // namespace PlatformTimer
