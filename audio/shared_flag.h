// A flag that one thread sets and others read without a lock. Atomic, and yet assignable like
// a plain field, so that the audio state can be reset in one statement.
#pragma once

#include <atomic>

struct SharedFlag {
    std::atomic<bool> value{false};

    SharedFlag() = default;
    SharedFlag(const SharedFlag& other) : value(other.value.load()) {}
    SharedFlag& operator=(const SharedFlag& other) {
        value = other.value.load();
        return *this;
    }
    SharedFlag& operator=(bool raised) {
        value = raised;
        return *this;
    }
    operator bool() const { return value.load(); }
};
