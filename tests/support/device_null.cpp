// The null sound device: remembers whether it is open and paused, never calls back.
#include "support/device_null.h"

#include "audio/device.h"

NullDevice nullDevice;

bool openDevice(const char*& reason) {
    if (nullDevice.failure) {
        reason = nullDevice.failure;
        return false;
    }
    nullDevice.open = true;
    nullDevice.paused = true;
    return true;
}

void pauseDevice(bool paused) {
    nullDevice.paused = paused;
}

void closeDevice() {
    nullDevice.open = false;
}
