#include "presentation/StandardMidiFile.h"
#include "presentation/TuneEngine.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// A tenth of a second of tune: two short notes.
QByteArray shortTune() {
    MidiSong song;
    song.microsecondsPerQuarter = 100000;
    song.notes = {{0, 60, 90, 0, 200}, {0, 64, 90, 240, 200}};
    song.endTick = 480;
    return StandardMidiFile::write(song);
}

// Renders into /dev/null at the pace of a sound card, as a machine without
// one can.
TuneEngine::Output nullDevice() {
    TuneEngine::Output output;
    output.drivers = {QStringLiteral("file")};
    output.settings = {{"audio.file.name", "/dev/null"}, {"audio.file.type", "raw"}};
    return output;
}

} // namespace

class TestTuneEngine : public QObject {
    Q_OBJECT

private slots:
    void startsOverEachTimeItEnds() {
        TuneEngine engine(nullDevice());
        QVERIFY2(engine.play(shortTune()), qPrintable(engine.lastError()));
        QVERIFY(engine.isSounding());
        QCOMPARE(engine.rounds(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(engine.rounds() >= 3, 10000);
        QCOMPARE(engine.lastError(), QString());

        // Playing again starts from the top.
        QVERIFY(engine.play(shortTune()));
        QVERIFY(engine.rounds() < 2);
        QTRY_VERIFY_WITH_TIMEOUT(engine.rounds() >= 2, 10000);
    }

    void muteHoldsTheTune() {
        TuneEngine engine(nullDevice());
        QVERIFY(engine.play(shortTune()));
        QTRY_VERIFY_WITH_TIMEOUT(engine.rounds() >= 1, 10000);
        engine.setMuted(true);
        QVERIFY(engine.isMuted());
        QVERIFY(!engine.isSounding());
        const int held = engine.rounds();
        QTest::qWait(500); // five lengths of the tune
        QCOMPARE(engine.rounds(), held);

        engine.setMuted(false);
        QVERIFY(engine.isSounding());
        QTRY_VERIFY_WITH_TIMEOUT(engine.rounds() >= held + 2, 10000);
    }

    void mutedBeforeStartWaits() {
        TuneEngine engine(nullDevice());
        engine.setMuted(true);
        QVERIFY(!engine.play(shortTune()));
        QVERIFY(!engine.isSounding());
        QCOMPARE(engine.lastError(), QString());
        engine.setMuted(false);
        QVERIFY(engine.isSounding());
        QTRY_VERIFY_WITH_TIMEOUT(engine.rounds() >= 1, 10000);
    }

    void staysSilentWhenItCannotSound_data() {
        QTest::addColumn<QStringList>("drivers");
        QTest::addColumn<QStringList>("soundFonts");
        QTest::addColumn<QByteArray>("tune");
        QTest::addColumn<QString>("error");
        const TuneEngine::Output device = nullDevice();
        QTest::newRow("no sound device")
            << QStringList{QStringLiteral("no-such-driver")} << device.soundFonts << shortTune()
            << QStringLiteral("No sound device");
        QTest::newRow("no SoundFont")
            << device.drivers << QStringList{QStringLiteral("/nonexistent/GM.sf2")} << shortTune()
            << QStringLiteral("No General MIDI SoundFont");
        QTest::newRow("not a MIDI file")
            << device.drivers << device.soundFonts << QByteArray("la la la")
            << QStringLiteral("Cannot play the tune: it does not "
                              "start with a MIDI header");
    }
    void staysSilentWhenItCannotSound() {
        QFETCH(QStringList, drivers);
        QFETCH(QStringList, soundFonts);
        QFETCH(QByteArray, tune);
        QFETCH(QString, error);
        TuneEngine::Output output = nullDevice();
        output.drivers = drivers;
        output.soundFonts = soundFonts;
        TuneEngine engine(output);
        QVERIFY(!engine.play(tune));
        QVERIFY(!engine.isSounding());
        QVERIFY2(engine.lastError().startsWith(error), qPrintable(engine.lastError()));
        // Muting and unmuting a silent engine is harmless.
        engine.setMuted(true);
        engine.setMuted(false);
        QVERIFY(!engine.isSounding());
        QTest::qWait(200);
        QCOMPARE(engine.rounds(), 0);
    }

    void firstWorkingDriverIsUsed() {
        TuneEngine::Output output = nullDevice();
        output.drivers.prepend(QStringLiteral("no-such-driver"));
        TuneEngine engine(output);
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(engine.play(shortTune()), qPrintable(engine.lastError()));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(engine.isSounding());
    }
};

QTEST_GUILESS_MAIN(TestTuneEngine)
#include "test_tune_engine.moc"
