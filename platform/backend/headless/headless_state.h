// What the headless backend shares with the test controls: the joysticks
// SetJoystick sets and the message boxes it recorded. Process-wide, so tests
// reach them whichever backend object is current.
#pragma once

#include <vector>

#include "platform/backend/backend.h"
#include "platform/testing/message_boxes.h"

namespace brannock::platform::headless {

inline constexpr UINT kJoystickCount = 4;

// Ids from kJoystickCount up are ignored (SetJoystick) or absent (Read).
void SetJoystickState(UINT id, bool present, const JoystickReading& reading);
bool ReadJoystickState(UINT id, JoystickReading& reading);

void RecordMessageBox(testing::MessageBoxRecord record);
std::vector<testing::MessageBoxRecord> RecordedMessageBoxes();
void ClearRecordedMessageBoxes();

}  // namespace brannock::platform::headless
