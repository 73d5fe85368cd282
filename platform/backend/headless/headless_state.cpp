#include "platform/backend/headless/headless_state.h"

#include <array>
#include <mutex>

namespace brannock::platform::headless {
namespace {

struct Joystick {
    bool present = false;
    JoystickReading reading;
};

struct State {
    std::mutex mutex;
    std::array<Joystick, kJoystickCount> joysticks;
    std::vector<testing::MessageBoxRecord> messageBoxes;
};

// Never destroyed: the game thread may read a joystick while the process ends.
State& Shared() {
    static auto* state = new State;
    return *state;
}

}  // namespace

void SetJoystickState(UINT id, bool present, const JoystickReading& reading) {
    if (id >= kJoystickCount) return;
    State& state = Shared();
    std::lock_guard lock(state.mutex);
    state.joysticks[id] = {present, reading};
}

bool ReadJoystickState(UINT id, JoystickReading& reading) {
    if (id >= kJoystickCount) return false;
    State& state = Shared();
    std::lock_guard lock(state.mutex);
    if (!state.joysticks[id].present) return false;
    reading = state.joysticks[id].reading;
    return true;
}

void RecordMessageBox(testing::MessageBoxRecord record) {
    State& state = Shared();
    std::lock_guard lock(state.mutex);
    state.messageBoxes.push_back(std::move(record));
}

std::vector<testing::MessageBoxRecord> RecordedMessageBoxes() {
    State& state = Shared();
    std::lock_guard lock(state.mutex);
    return state.messageBoxes;
}

void ClearRecordedMessageBoxes() {
    State& state = Shared();
    std::lock_guard lock(state.mutex);
    state.messageBoxes.clear();
}

}  // namespace brannock::platform::headless
