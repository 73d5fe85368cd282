// SetJoystick of platform/testing/user_input.h: the joysticks joyGetPos reads
// on the headless backend.
#include "platform/backend/headless/headless_state.h"
#include "platform/testing/user_input.h"

namespace brannock::testing {

void SetJoystick(UINT id, bool present, UINT x, UINT y, UINT z, UINT buttons) {
    platform::headless::SetJoystickState(id, present, {x, y, z, buttons});
}

}  // namespace brannock::testing
