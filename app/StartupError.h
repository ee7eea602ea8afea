#pragma once

#include "store/QuillError.h"

// Start-up cannot go on. `alreadyShown` is set when the user has just been
// told why in a box of its own, so the program entry need not say it again.
class StartupError : public QuillError {
public:
    explicit StartupError(const QString& message, bool alreadyShown = false)
        : QuillError(message), shown(alreadyShown) {}
    bool alreadyShown() const { return shown; }

private:
    bool shown;
};
