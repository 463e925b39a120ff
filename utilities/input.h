// The input commands' process-wide state: the key table, the double-click
// state and the random generator.
#pragma once

namespace input {

// SINGLE KEYCHECK keeps the state of key codes 0 to key_count - 1.
inline constexpr int key_count = 255;

// Back to the state at load, as a freshly loaded library has it (tests of
// native builds, where the library cannot be loaded again).
void reset_state();

}  // namespace input
