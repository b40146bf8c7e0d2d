#include "platformtimer.h"

namespace PlatformTimer {

void useExactSleeps() {}

} // namespace PlatformTimer
