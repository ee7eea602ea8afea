#include "ErrorOf.h"
#include "presentation/BackgroundTune.h"
#include "presentation/StandardMidiFile.h"
#include "store/QuillError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// A file of one track around the given event bytes.
QByteArray fileAround(const QByteArray& events) {
    QByteArray file = bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0});
    file += bytes({'M', 'T', 'r', 'k', 0, 0, 0, int(events.size())});
    return file + events;
}

// Sums the delta times of a format 0 file's only track: its length in ticks.
int trackTicks(const QByteArray& file) {
    int at = 22;
    int ticks = 0;
    quint8 running = 0;
    while (at < file.size()) {
        int delta = 0;
        quint8 b = 0;
        do {
            b = quint8(file[at++]);
            delta = (delta << 7) | (b & 0x7F);
        } while (b & 0x80);
        ticks += delta;
        quint8 status = quint8(file[at]);
        if (status == 0xFF) {
            if (quint8(file[at + 1]) == 0x2F)
                return ticks;
            at += 3 + quint8(file[at + 2]);
            continue;
        }
        if (status >= 0x80) {
            running = status;
            ++at;
        }
        at += (running >= 0xC0 && running < 0xE0) ? 1 : 2;
    }
    return -1;
}

} // namespace

class TestMidi : public QObject {
    Q_OBJECT

private slots:
    void variableLength_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("zero") << 0u << bytes({0x00});
        QTest::newRow("largest single byte") << 0x7Fu << bytes({0x7F});
        QTest::newRow("smallest two bytes") << 0x80u << bytes({0x81, 0x00});
        QTest::newRow("0x2000") << 0x2000u << bytes({0xC0, 0x00});
        QTest::newRow("largest two bytes") << 0x3FFFu << bytes({0xFF, 0x7F});
        QTest::newRow("smallest three bytes") << 0x4000u << bytes({0x81, 0x80, 0x00});
        QTest::newRow("largest") << 0x0FFFFFFFu << bytes({0xFF, 0xFF, 0xFF, 0x7F});
    }
    void variableLength() {
        QFETCH(quint32, value);
        QFETCH(QByteArray, encoded);
        QCOMPARE(StandardMidiFile::variableLength(value), encoded);
    }

    void writesExactBytes() {
        MidiSong song;
        song.ticksPerQuarter = 96;
        song.microsecondsPerQuarter = 0x07A120; // 500000
        song.programs = {{1, 32}};
        // Two notes of one key back to back: the first must end before the second starts.
        song.notes = {{1, 60, 100, 0, 96}, {1, 60, 90, 96, 200}};
        song.endTick = 384;
        const QByteArray expected = bytes(
            {'M',  'T',  'h',  'd', 0,  0, 0,  6,    0,    0,    0,    1,    0,    96,   'M',
             'T',  'r',  'k',  0,   0,  0, 31, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, // tempo
             0x00, 0xC1, 32,                                                             // program
             0x00, 0x91, 60,   100,     // first note on
             0x60, 0x81, 60,   64,      // first note off at 96
             0x00, 0x91, 60,   90,      // second note on at 96
             0x81, 0x48, 0x81, 60,  64, // second note off at 296
             0x58, 0xFF, 0x2F, 0x00});  // end of track at 384
        QCOMPARE(StandardMidiFile::write(song), expected);
        QCOMPARE(StandardMidiFile::problem(expected), QString());
    }

    void trackEndsAfterLastNote() {
        MidiSong song;
        song.notes = {{0, 64, 80, 100, 900}};
        song.endTick = 480; // earlier than the note's end: the note wins
        QCOMPARE(trackTicks(StandardMidiFile::write(song)), 1000);
        song.endTick = 4000;
        QCOMPARE(trackTicks(StandardMidiFile::write(song)), 4000);
    }

    void refusesWhatMidiCannotCarry_data() {
        QTest::addColumn<MidiNote>("note");
        QTest::newRow("channel 16") << MidiNote{16, 60, 80, 0, 10};
        QTest::newRow("key 128") << MidiNote{0, 128, 80, 0, 10};
        QTest::newRow("negative key") << MidiNote{0, -1, 80, 0, 10};
        QTest::newRow("silent velocity") << MidiNote{0, 60, 0, 0, 10};
        QTest::newRow("velocity 128") << MidiNote{0, 60, 128, 0, 10};
        QTest::newRow("negative start") << MidiNote{0, 60, 80, -5, 10};
        QTest::newRow("no length") << MidiNote{0, 60, 80, 0, 0};
    }
    void refusesWhatMidiCannotCarry() {
        QFETCH(MidiNote, note);
        MidiSong song;
        song.notes = {note};
        QCOMPARE(errorOf([&] { StandardMidiFile::write(song); }),
                 QStringLiteral("Cannot write the MIDI song: a note is out of range"));
    }

    void problem_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        const QByteArray end = bytes({0x00, 0xFF, 0x2F, 0x00});
        const QByteArray note = bytes({0x00, 0x90, 60, 80, 0x60, 0x80, 60, 64});
        QTest::newRow("complete") << fileAround(note + end) << QString();
        QTest::newRow("running status")
            << fileAround(bytes({0x00, 0x90, 60, 80, 0x10, 64, 80, 0x60, 60, 0, 0x00, 64, 0}) + end)
            << QString();
        QTest::newRow("empty") << QByteArray()
                               << QStringLiteral("it does not start with a MIDI header");
        QTest::newRow("text") << QByteArray("This is not a tune, just some text.")
                              << QStringLiteral("it does not start with a MIDI header");
        QTest::newRow("header only")
            << fileAround(note + end).left(14) << QStringLiteral("it holds 0 of its 1 tracks");
        QByteArray cut = fileAround(note + end);
        cut.chop(1);
        QTest::newRow("last byte missing") << cut << QStringLiteral("a track is cut off");
        QTest::newRow("no end of track")
            << fileAround(note) << QStringLiteral("a track has no end-of-track event");
        QTest::newRow("data byte first")
            << fileAround(bytes({0x00, 60, 80}) + end)
            << QStringLiteral("a data byte stands where an event should start");
        QByteArray twoTracks = fileAround(note + end);
        twoTracks[11] = 2;
        QTest::newRow("format 0 with two tracks")
            << twoTracks << QStringLiteral("its MIDI header is damaged");
        QByteArray noDivision = fileAround(note + end);
        noDivision[12] = 0;
        noDivision[13] = 0;
        QTest::newRow("no division") << noDivision << QStringLiteral("its MIDI header is damaged");
    }
    void problem() {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        QCOMPARE(StandardMidiFile::problem(file), problem);
    }

    void read_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("tune") << QStringLiteral("music.mid") << BackgroundTune::midi() << QString();
        QTest::newRow("missing") << QStringLiteral("gone.mid") << QByteArray()
                                 << QStringLiteral(
                                        "Cannot open the tune %1: No such file or directory");
        QTest::newRow("folder") << QStringLiteral("folder.mid") << QByteArray()
                                << QStringLiteral("Cannot open the tune %1: ");
        QTest::newRow("text") << QStringLiteral("notes.mid") << QByteArray("la la la")
                              << QStringLiteral(
                                     "The tune %1 is not a playable MIDI file: it does not "
                                     "start with a MIDI header");
    }
    void read() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (name == QLatin1String("folder.mid")) {
            QVERIFY(QDir().mkpath(path));
        } else if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QByteArray read;
        const QString message = errorOf([&] { read = StandardMidiFile::read(path); });
        if (error.isEmpty()) {
            QCOMPARE(message, QString());
            QCOMPARE(read, content);
        } else {
            QVERIFY2(message.startsWith(error.arg(path)), qPrintable(message));
        }
    }

    void backgroundTune() {
        const QByteArray tune = BackgroundTune::midi();
        QCOMPARE(StandardMidiFile::problem(tune), QString());
        QCOMPARE(BackgroundTune::midi(), tune); // the same file on every install
        const MidiSong song = BackgroundTune::song();
        // About twenty seconds, and the loop starts on a bar line.
        const double seconds =
            double(trackTicks(tune)) * song.microsecondsPerQuarter / 1e6 / song.ticksPerQuarter;
        QVERIFY2(seconds > 10 && seconds < 40, qPrintable(QString::number(seconds)));
        QCOMPARE(trackTicks(tune) % (4 * song.ticksPerQuarter), 0);
        // Notes stay within a comfortable range: nothing shrill, nothing rumbling.
        for (const MidiNote& n : song.notes) {
            QVERIFY(n.key >= 28 && n.key <= 84);
            QVERIFY(n.velocity <= 100);
        }
    }
};

QTEST_MAIN(TestMidi)
#include "test_midi.moc"
