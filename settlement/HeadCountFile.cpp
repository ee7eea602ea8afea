#include "settlement/HeadCountFile.h"

#include "store/InstallFolder.h"
#include "store/QuillError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

HeadCountFile::HeadCountFile() : file(InstallFolder::headCountFile()) {}

HeadCountFile::HeadCountFile(QString path) : file(std::move(path)) {}

QString HeadCountFile::read() const {
    if (!QFileInfo(file).isFile())
        throw QuillError(QStringLiteral("File not found"));
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw QuillError(QStringLiteral("Cannot read %1: %2").arg(file, in.errorString()));
    QByteArray line = in.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

void HeadCountFile::write(const QString& text) const {
    const QByteArray content = text.toUtf8() + "\r\n";
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        throw QuillError(QStringLiteral("Cannot write %1: %2").arg(file, out.errorString()));
}

std::optional<int> HeadCountFile::acceptable(const QString& text) {
    if (text.isEmpty() || text.size() > 2)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int count = text.toInt();
    if (count < 1)
        return std::nullopt;
    return count;
}
