#pragma once

// How exactly the system keeps a thread's sleeps.
namespace PlatformTimer {

// Asks the system to end the calling thread's sleeps on time. Linux may let a
// sleep run 50 us long by default, half a percent of the top rate on every
// step of a clocked run. Asked once per process, so it holds for the first
// thread that calls it, the one that paces runs; nothing on other systems.
void useExactSleeps();

} // namespace PlatformTimer
