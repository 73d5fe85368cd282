#include "input/input_state.h"

std::atomic<int> inputEnabled{1};

namespace {

std::atomic<int> sharedValues[4] = {0, 0, 0, 0};

}  // namespace

void SetInputEnabled(int value) {
    inputEnabled.store(value);
}

void SetSharedValues(int a, int b, int c, int d) {
    sharedValues[0].store(a);
    sharedValues[1].store(b);
    sharedValues[2].store(c);
    sharedValues[3].store(d);
}

void GetSharedValues(int& a, int& b, int& c, int& d) {
    a = sharedValues[0].load();
    b = sharedValues[1].load();
    c = sharedValues[2].load();
    d = sharedValues[3].load();
}
