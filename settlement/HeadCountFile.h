#pragma once

#include <QString>
#include <optional>

// The head-count file, number.ini in the install folder: its first line is
// the number of people who share the costs.
class HeadCountFile {
public:
    HeadCountFile();
    explicit HeadCountFile(QString path);

    const QString& path() const { return file; }

    // The first line, whole, without its line end. Throws QuillError
    // "File not found" when there is no file.
    QString read() const;
    // Replaces the file with the text and a CR LF line end in one step: a
    // write that fails leaves the old file as it was. Throws QuillError.
    void write(const QString& text) const;

    // The head count a person may set: a whole number from 1 to 99, digits only.
    static std::optional<int> acceptable(const QString& text);

private:
    QString file;
};
