// Input module: mouse and keys as the tests set them.
#include "impl.h"
#include "input_state.h"

namespace hostsim {

InputState input_state;

void reset_input() { input_state = InputState{}; }

namespace impl {

int Input_GetMouseClick() { return input_state.mouse_click; }

// Movement since the last measurement: reading it consumes it.
int Input_GetMouseMoveX() {
  int move = input_state.mouse_move_x;
  input_state.mouse_move_x = 0;
  return move;
}
int Input_GetMouseMoveY() {
  int move = input_state.mouse_move_y;
  input_state.mouse_move_y = 0;
  return move;
}

int Input_GetMouseX() { return input_state.mouse_x; }
int Input_GetMouseY() { return input_state.mouse_y; }

int Input_KeyState(int key) {
  return key >= 0 && key < static_cast<int>(input_state.keys.size()) ? input_state.keys[key] : 0;
}

}  // namespace impl
}  // namespace hostsim
