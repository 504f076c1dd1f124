// Values that one thread writes and another reads without a lock. Atomic, and yet assignable
// like plain fields, so that the audio state can be reset in one statement (only while no other
// thread touches it).
#pragma once

#include <atomic>

template <typename T> struct SharedValue {
    std::atomic<T> value{};

    SharedValue() = default;
    SharedValue(const SharedValue& other) : value(other.value.load()) {}
    SharedValue& operator=(const SharedValue& other) {
        value = other.value.load();
        return *this;
    }
    SharedValue& operator=(T newValue) {
        value = newValue;
        return *this;
    }
    operator T() const { return value.load(); }
};

using SharedFlag = SharedValue<bool>;
