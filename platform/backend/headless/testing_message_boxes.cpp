#include "platform/testing/message_boxes.h"

#include "platform/backend/headless/headless_state.h"

namespace brannock::testing {

std::vector<MessageBoxRecord> MessageBoxes() {
    return platform::headless::RecordedMessageBoxes();
}
void ClearMessageBoxes() {
    platform::headless::ClearRecordedMessageBoxes();
}

}  // namespace brannock::testing
