#include "presentation/StandardMidiFile.h"

#include "store/QuillError.h"

#include <QFile>
#include <algorithm>

namespace StandardMidiFile {

namespace {

struct Event {
    qint64 tick;
    int order; // at the same tick: settings first, then notes ending, then notes starting
    QByteArray bytes;
};

void bigEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

void require(bool ok, const QString& what) {
    if (!ok)
        throw QuillError(QStringLiteral("Cannot write the MIDI song: %1").arg(what));
}

QByteArray channelMessage(int status, int channel, int first, int second = -1) {
    QByteArray bytes;
    bytes.append(char(status | channel));
    bytes.append(char(first));
    if (second >= 0)
        bytes.append(char(second));
    return bytes;
}

// Reads the file front to back; every read checks the bytes are there.
class Reader {
public:
    Reader(const QByteArray& data, qsizetype from, qsizetype to) : bytes(data), at(from), end(to) {}

    bool atEnd() const { return at >= end; }
    bool byte(quint8& value) {
        if (at >= end)
            return false;
        value = quint8(bytes[at++]);
        return true;
    }
    bool skip(quint32 count) {
        if (count > quint32(end - at))
            return false;
        at += count;
        return true;
    }
    bool variable(quint32& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            quint8 b = 0;
            if (!byte(b))
                return false;
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false; // longer than four bytes
    }

private:
    const QByteArray& bytes;
    qsizetype at;
    qsizetype end;
};

quint32 readBigEndian(const QByteArray& bytes, qsizetype at, int count) {
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

// Empty when the track's events parse completely and end with end-of-track.
QString trackProblem(const QByteArray& bytes, qsizetype from, qsizetype to) {
    Reader reader(bytes, from, to);
    quint8 running = 0;
    while (!reader.atEnd()) {
        quint32 delta = 0;
        if (!reader.variable(delta))
            return QStringLiteral("a delta time is cut off");
        quint8 status = 0;
        if (!reader.byte(status))
            return QStringLiteral("an event is cut off");
        if (status < 0x80) {
            if (!running)
                return QStringLiteral("a data byte stands where an event should start");
            status = running;
            if (!reader.skip(status >= 0xC0 && status < 0xE0 ? 0 : 1))
                return QStringLiteral("an event is cut off");
            continue;
        }
        if (status == 0xFF) {
            quint8 type = 0;
            quint32 length = 0;
            if (!reader.byte(type) || !reader.variable(length) || !reader.skip(length))
                return QStringLiteral("a meta event is cut off");
            if (type == 0x2F)
                return reader.atEnd() ? QString()
                                      : QStringLiteral("events follow the end of a track");
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            quint32 length = 0;
            if (!reader.variable(length) || !reader.skip(length))
                return QStringLiteral("a system exclusive event is cut off");
            running = 0;
            continue;
        }
        if (status > 0xEF)
            return QStringLiteral("the file holds an event a file may not carry");
        running = status;
        const int dataBytes = (status >= 0xC0 && status < 0xE0) ? 1 : 2;
        for (int i = 0; i < dataBytes; ++i) {
            quint8 data = 0;
            if (!reader.byte(data))
                return QStringLiteral("an event is cut off");
            if (data >= 0x80)
                return QStringLiteral("an event holds a value above 127");
        }
    }
    return QStringLiteral("a track has no end-of-track event");
}

} // namespace

QByteArray variableLength(quint32 value) {
    require(value <= 0x0FFFFFFF, QStringLiteral("a time beyond what MIDI can carry"));
    QByteArray out;
    out.prepend(char(value & 0x7F));
    value >>= 7;
    while (value) {
        out.prepend(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    return out;
}

QByteArray write(const MidiSong& song) {
    require(song.ticksPerQuarter > 0 && song.ticksPerQuarter <= 0x7FFF,
            QStringLiteral("ticks per quarter note must be 1 to 32767"));
    require(song.microsecondsPerQuarter > 0 && song.microsecondsPerQuarter <= 0xFFFFFF,
            QStringLiteral("the tempo is out of range"));

    QList<Event> events;
    QByteArray tempo("\xFF\x51\x03", 3);
    bigEndian(tempo, quint32(song.microsecondsPerQuarter), 3);
    events.append({0, 0, tempo});
    for (const MidiProgram& p : song.programs) {
        require(p.channel >= 0 && p.channel < 16 && p.program >= 0 && p.program < 128,
                QStringLiteral("a program change is out of range"));
        events.append({0, 1, channelMessage(0xC0, p.channel, p.program)});
    }
    qint64 last = std::max(0, song.endTick);
    for (const MidiNote& n : song.notes) {
        require(n.channel >= 0 && n.channel < 16 && n.key >= 0 && n.key < 128 && n.velocity > 0 &&
                    n.velocity < 128 && n.start >= 0 && n.length > 0,
                QStringLiteral("a note is out of range"));
        const qint64 off = qint64(n.start) + n.length;
        events.append({n.start, 3, channelMessage(0x90, n.channel, n.key, n.velocity)});
        events.append({off, 2, channelMessage(0x80, n.channel, n.key, 64)});
        last = std::max(last, off);
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    QByteArray track;
    qint64 now = 0;
    for (const Event& e : events) {
        track += variableLength(quint32(e.tick - now));
        track += e.bytes;
        now = e.tick;
    }
    track += variableLength(quint32(last - now));
    track += QByteArray("\xFF\x2F\x00", 3);

    QByteArray file("MThd", 4);
    bigEndian(file, 6, 4);
    bigEndian(file, 0, 2); // format 0: a single track
    bigEndian(file, 1, 2);
    bigEndian(file, quint32(song.ticksPerQuarter), 2);
    file += QByteArray("MTrk", 4);
    bigEndian(file, quint32(track.size()), 4);
    file += track;
    return file;
}

QString problem(const QByteArray& bytes) {
    if (bytes.size() < 14 || !bytes.startsWith("MThd"))
        return QStringLiteral("it does not start with a MIDI header");
    const quint32 headerLength = readBigEndian(bytes, 4, 4);
    if (headerLength < 6 || headerLength > quint32(bytes.size() - 8))
        return QStringLiteral("its MIDI header is damaged");
    const quint32 format = readBigEndian(bytes, 8, 2);
    const quint32 tracks = readBigEndian(bytes, 10, 2);
    const quint32 division = readBigEndian(bytes, 12, 2);
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1) || division == 0)
        return QStringLiteral("its MIDI header is damaged");

    qsizetype at = 8 + qsizetype(headerLength);
    quint32 found = 0;
    while (found < tracks) {
        if (bytes.size() - at < 8)
            return QStringLiteral("it holds %1 of its %2 tracks").arg(found).arg(tracks);
        const quint32 length = readBigEndian(bytes, at + 4, 4);
        if (length > quint32(bytes.size() - at - 8))
            return QStringLiteral("a track is cut off");
        if (bytes.mid(at, 4) == "MTrk") {
            const QString trouble = trackProblem(bytes, at + 8, at + 8 + length);
            if (!trouble.isEmpty())
                return trouble;
            ++found;
        }
        // Chunks of other kinds are allowed and skipped.
        at += 8 + qsizetype(length);
    }
    return {};
}

QByteArray read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuillError(
            QStringLiteral("Cannot open the tune %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw QuillError(
            QStringLiteral("Cannot read the tune %1: %2").arg(path, file.errorString()));
    const QString trouble = problem(bytes);
    if (!trouble.isEmpty())
        throw QuillError(
            QStringLiteral("The tune %1 is not a playable MIDI file: %2").arg(path, trouble));
    return bytes;
}

} // namespace StandardMidiFile
