#pragma once

#include <QString>
#include <stdexcept>

// Every failure the program reports to the user travels as a QuillError: its
// message is the text shown in the default error report.
class QuillError : public std::runtime_error {
public:
    explicit QuillError(const QString& message)
        : std::runtime_error(message.toStdString()), text(message) {}
    const QString& message() const { return text; }

private:
    QString text;
};
