#pragma once

namespace hopwick::testing {

// Exit codes of the start storm, as the helper program reports them.
inline constexpr int kStormStartFailed = 5;
inline constexpr int kStormZombieLeft = 6;
inline constexpr int kStormTooManyThreads = 7;
inline constexpr int kStormDescriptorsLeft = 8;

// In a process of its own: uses up every descriptor under a low limit (before the first start when
// `shortFromTheStart`, otherwise after one start has set the reaping up), starts `count` programs that run for
// a second, and checks that every start succeeded, no more than one thread was added while they ran, every
// program was reaped and descriptors were free again at the end. Returns 0 or one of the codes above.
int startStorm(int count, bool shortFromTheStart);

} // namespace hopwick::testing
