#pragma once

#include <QChar>
#include <functional>

class QWidget;

// Every handler runs through here: an error that escapes it is shown as the
// default error report, the rest of the handler is skipped, and the program
// goes on. No exception crosses Qt's event loop.
namespace EventBoundary {

void run(const std::function<void()>& handler);

template <class T> auto guard(T* object, void (T::*handler)()) {
    return [object, handler] { run([&] { (object->*handler)(); }); };
}

// Calls `handler` with each character typed into `widget`; a handler that
// sets the character to QChar() refuses it, and it never reaches the widget.
void onKeyPress(QWidget* widget, std::function<void(QChar&)> handler);
// Calls `handler` with each key pressed in `widget`, before the widget sees it.
void onKeyDown(QWidget* widget, std::function<void(int key)> handler);

} // namespace EventBoundary
