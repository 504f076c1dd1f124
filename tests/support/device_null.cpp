// The null sound device: remembers whether it is open and paused, never calls back.
#include "support/device_null.h"

#include "audio/device.h"

bool openDevice(const char*& reason, void (*)(uint32_t)) {
    reason = nullDevice.failure;
    nullDevice.open = !reason;
    nullDevice.paused = true;
    return nullDevice.open;
}

void pauseDevice(bool paused) {
    nullDevice.paused = paused;
}

bool closeDevice() {
    nullDevice.open = false;
    return true;
}
