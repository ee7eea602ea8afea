#pragma once

#include "store/QuillError.h"

#include <QString>
#include <functional>

// The message of the QuillError that `action` throws, or empty when it throws none.
inline QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const QuillError& error) {
        return error.message();
    }
    return {};
}
