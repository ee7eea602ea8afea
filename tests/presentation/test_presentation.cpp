#include "BoxAnswerer.h"
#include "TestInstall.h"
#include "Unlock.h"

#include "app/Branding.h"
#include "app/DBGrid.h"
#include "app/StartupError.h"
#include "app/Unit1.h"
#include "ledger/LedgerView.h"
#include "members/MemberPanel.h"
#include "presentation/BackgroundTune.h"
#include "presentation/PresentationExtras.h"
#include "presentation/SkinData.h"
#include "presentation/SkinStore.h"
#include "presentation/TunePlayer.h"
#include "setup/Installer.h"
#include "store/InstallFolder.h"
#include "store/QuillError.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTest>

namespace {

std::unique_ptr<TForm1> shownForm() {
    auto form = std::make_unique<TForm1>();
    form->show();
    return form;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TestPresentation : public QObject {
    Q_OBJECT

private slots:
    void skinStore() {
        SkinStore store;
        QCOMPARE(store.count(), 5);
        QSet<QString> sheets;
        for (int i = 0; i < store.count(); ++i) {
            QCOMPARE(store.name(i), QStringLiteral("SkinItem%1").arg(i));
            const QString sheet = store.styleSheet(i);
            QVERIFY(sheet.contains(QStringLiteral("QPushButton")));
            QVERIFY(sheet.contains(QStringLiteral("QTableView")));
            // The gate keeps its teal in every look.
            QVERIFY(
                sheet.contains(QStringLiteral("QFrame#Panel6 {\n    background-color: #008080;")));
            // Every picture a sheet names is compiled in.
            static const QRegularExpression url(QStringLiteral("url\\((:[^)]+)\\)"));
            for (const QRegularExpressionMatch& m : url.globalMatch(sheet))
                QVERIFY2(QFile::exists(m.captured(1)), qPrintable(m.captured(1)));
            sheets << sheet;
        }
        QCOMPARE(sheets.size(), 5);
        QCOMPARE(store.name(5), QString());
        QCOMPARE(store.styleSheet(5), QString());
        QCOMPARE(store.styleSheet(-1), QString());
    }

    void styleEntries_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("skin");
        for (const QString& backend : TestInstall::backends()) {
            const QString prefix = backend + QStringLiteral(": ");
            QTest::newRow(qPrintable(prefix + QStringLiteral("风格1"))) << backend << "N11" << 0;
            QTest::newRow(qPrintable(prefix + QStringLiteral("风格2"))) << backend << "N21" << 1;
            QTest::newRow(qPrintable(prefix + QStringLiteral("风格3"))) << backend << "N31" << 2;
            QTest::newRow(qPrintable(prefix + QStringLiteral("风格4"))) << backend << "N41" << 3;
        }
    }
    void styleEntries() {
        QFETCH(QString, backend);
        QFETCH(QString, entry);
        QFETCH(int, skin);
        TestInstall install(backend);
        auto form = shownForm();
        SkinStore store;
        // The window starts with the fourth look.
        QCOMPARE(form->styleSheet(), store.styleSheet(PresentationExtras::startingSkin));
        QCOMPARE(form->presentation->SkinData1->skinName(), QStringLiteral("SkinItem3"));
        unlock(*form);

        // Start from a look the entry does not choose, so a change shows.
        form->presentation->SkinData1->loadFromStore(store, skin == 0 ? 1 : 0);
        auto* action = form->ledger->PopupMenu1->findChild<QAction*>(entry);
        QVERIFY(action);
        BoxAnswerer answerer;
        action->trigger();
        QVERIFY(answerer.boxes().isEmpty());
        QCOMPARE(form->styleSheet(), store.styleSheet(skin));
        QCOMPARE(form->presentation->SkinData1->skinName(), store.name(skin));
        // The member grid's title stays fuchsia whatever the look.
        QTest::mouseClick(form->ledger->Button7, Qt::LeftButton);
        QHeaderView* title = form->memberPanel->DBGrid1->horizontalHeader();
        const QImage drawn = title->grab().toImage();
        const int left = title->sectionViewportPosition(0);
        QCOMPARE(drawn.pixelColor(left + 4, 3), QColor(0xFF, 0x00, 0xFF));
    }

    void entryOutsideTheStoreDoesNothing() {
        QWidget window;
        SkinStore store;
        SkinData skins(window);
        skins.loadFromStore(store, 2);
        for (int index : {5, 6, -1}) {
            skins.loadFromStore(store, index);
            QCOMPARE(window.styleSheet(), store.styleSheet(2));
            QCOMPARE(skins.skinName(), QStringLiteral("SkinItem2"));
        }
    }

    void aboutBox_data() { TestInstall::addBackendRows(); }
    void aboutBox() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        auto form = shownForm();
        unlock(*form);
        BoxAnswerer answerer;
        form->ledger->N2->trigger();
        const BoxAnswerer::Box box = answerer.only();
        QCOMPARE(box.text, Branding::creditLine);
        QVERIFY(box.text.contains(QStringLiteral("ver: 1.5")));
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
    }

    void muteEntry_data() { TestInstall::addBackendRows(); }
    void muteEntry() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        auto form = shownForm();
        QAction* mute = form->presentation->N4;
        const QList<QAction*> entries = form->ledger->PopupMenu1->actions();
        QCOMPARE(entries.back(), mute);
        // The seven entries keep their order ahead of it.
        QCOMPARE(entries.indexOf(form->ledger->N2), 6);
        QCOMPARE(mute->text(), QStringLiteral("静音"));
        QVERIFY(mute->isCheckable());
        QVERIFY(!mute->isChecked());
        QVERIFY(!form->tunePlayer->isMuted());
        mute->trigger();
        QVERIFY(mute->isChecked());
        QVERIFY(form->tunePlayer->isMuted());
        QVERIFY(!form->tunePlayer->isSounding());
        mute->trigger();
        QVERIFY(!form->tunePlayer->isMuted());
    }

    void startsWithoutSoundQuietly_data() { TestInstall::addBackendRows(); }
    void startsWithoutSoundQuietly() {
        QFETCH(QString, backend);
        TestInstall install(backend);
        BoxAnswerer answerer;
        auto form = shownForm();
        QTest::qWait(100);
        QVERIFY2(answerer.boxes().isEmpty(), qPrintable(answerer.texts().join(u'|')));
        // Either it sounds, or it knows why it does not.
        QVERIFY(form->tunePlayer->isSounding() || !form->tunePlayer->lastError().isEmpty());
        QVERIFY(form->tunePlayer->isHidden());
        QCOMPARE(form->tunePlayer->objectName(), QStringLiteral("MediaPlayer1"));
    }

    void unusableTuneStopsStartup_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("error");
        for (const QString& backend : TestInstall::backends()) {
            auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(
                           qPrintable(backend + QStringLiteral(": ") + QLatin1String(name)))
                       << backend << QString::fromLatin1(name);
            };
            row("missing") << QStringLiteral("Cannot open the tune %1: No such file or directory "
                                             "(run quillmere-setup to write it)");
            row("folder") << QStringLiteral("Cannot open the tune %1: ");
            row("text") << QStringLiteral(
                "The tune %1 is not a playable MIDI file: it does not start with a MIDI header");
            row("cut short") << QStringLiteral(
                "The tune %1 is not a playable MIDI file: a track is cut off");
        }
    }
    void unusableTuneStopsStartup() {
        QFETCH(QString, backend);
        QFETCH(QString, damage);
        QFETCH(QString, error);
        TestInstall install(backend);
        const QString tune = InstallFolder::tuneFile();
        QVERIFY(QFile::remove(tune));
        if (damage == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(tune));
        else if (damage == QLatin1String("text"))
            writeFile(tune, "do re mi");
        else if (damage == QLatin1String("cut short"))
            writeFile(tune, BackgroundTune::midi().chopped(10));
        BoxAnswerer answerer;
        QString message;
        try {
            TForm1 form;
        } catch (const StartupError& failure) {
            message = failure.message();
        }
        QVERIFY2(message.startsWith(error.arg(tune)), qPrintable(message));
        QVERIFY(answerer.boxes().isEmpty()); // the program entry reports it
    }

    void setupWritesTheTuneOnce() {
        TestInstall install;
        const QString tune = InstallFolder::tuneFile();
        QFile written(tune);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), BackgroundTune::midi());
        written.close();

        // A tune the flatmates put there themselves stays.
        writeFile(tune, BackgroundTune::midi() + QByteArray("MTrk\0\0\0\0", 8));
        const Installer::Report report = Installer::run({});
        QVERIFY(report.found.contains(tune));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().size(), BackgroundTune::midi().size() + 8);
        written.close();

        QVERIFY(QFile::remove(tune));
        QVERIFY(Installer::run({}).created.contains(tune));
        QVERIFY(QFile::exists(tune));
    }
};

QTEST_MAIN(TestPresentation)
#include "test_presentation.moc"
