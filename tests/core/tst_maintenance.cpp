// Import, delete all, delete one draw and syndicate deletion on real files,
// with every file step made to fail in turn.

#include "base/clock.h"
#include "base/urlopener.h"
#include "core/drawentry.h"
#include "core/maintenance.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "support/failingfileops.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "support/smalldisk.h"
#include "wording/statuswording.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace
{
    const QDate kToday(2026, 12, 8);
    const QString kOops = QStringLiteral("¡Vaya hombre!");
    const QString kNotADrawFile = QStringLiteral(
        "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Quorvale.");
    const QString kPermissionTitle = QStringLiteral("Error de permiso");

    class RecordingOpener final : public UrlOpener
    {
    public:
        void open(const QUrl &address) override { opened << address; }
        QList<QUrl> opened;
    };

    std::vector<DrawRecord> someDraws(int count, QDate first = QDate(2026, 1, 4))
    {
        std::vector<DrawRecord> draws;
        for (int i = 0; i < count; ++i)
            draws.push_back(Fixtures::draw(first.addDays(7 * i), {1 + i % 40, 11 + i % 40, 12 + i % 40, 13 + i % 40, 14 + i % 40}, i % 10));
        return draws;
    }
}

class TestMaintenance : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_elsewhere;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    RecordingOpener m_opener;
    FailingFileOps m_files;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<Maintenance> m_maintenance;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QByteArray bytes(const QString &name) const { return Fixtures::readFile(path(name)); }

    void start()
    {
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir->path()));
        m_maintenance = std::make_unique<Maintenance>(*m_session, m_files, m_opener);
        m_prompter.boxes.clear();
    }

    // A command's outcome shown as the window shows it; whether it changed the files.
    bool run(const Outcome &outcome) { return m_prompter.report(outcome).changed(); }
    // What happened, which the command line's exit status is taken from.
    Outcome::Status statusOf(const Outcome &outcome) { return m_prompter.report(outcome).status; }

    QString chosenFile(const QByteArray &content)
    {
        const QString file = m_elsewhere->filePath(QStringLiteral("NUMEROS.DAT"));
        Fixtures::writeFile(file, content);
        return file;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_elsewhere = std::make_unique<QTemporaryDir>();
        m_prompter.boxes.clear();
        m_prompter.answers.clear();
        m_opener.opened.clear();
        m_files = {};
        m_files.failAt = -1;
        m_files.steps = 0;
    }

    void importKeepsTheOldFileAsBackup()
    {
        const QByteArray old = Fixtures::bytesOf(someDraws(3));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), old);
        start();
        const QByteArray history = Fixtures::bytesOf(Fixtures::realDraws());
        run(m_maintenance->importDraws(chosenFile(history)));

        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Todos los sorteos")});
        QCOMPARE(m_prompter.boxes[0].text, QStringLiteral("Archivo de sorteos importado con éxito"));
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), history);
        QCOMPARE(bytes(QStringLiteral("numeros.bak")), old);
        QCOMPARE(m_session->storedDraws(), 1114);
        QCOMPARE(m_session->draws().list().total(), 1114);

        // A second import keeps only the file from just before it.
        const QByteArray shorter = Fixtures::bytesOf(someDraws(5));
        run(m_maintenance->importDraws(chosenFile(shorter)));
        QCOMPARE(bytes(QStringLiteral("numeros.bak")), history);
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), shorter);
        // Later appends go to the data file, not to the imported one.
        QCOMPARE(m_session->draws().file().path(), path(QStringLiteral("numeros.dat")));
    }

    void importRefusesBadFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        auto draws = someDraws(4);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not whole records") << Fixtures::bytesOf(draws) + QByteArray(5, '\0');
        QTest::newRow("first draw on a Saturday") << Fixtures::bytesOf(someDraws(2, QDate(2005, 10, 22)));
        auto unordered = draws;
        std::swap(unordered[1], unordered[2]);
        QTest::newRow("dates not ascending") << Fixtures::bytesOf(unordered);
        auto same = draws;
        same[3].date = same[2].date;
        QTest::newRow("two draws on one day") << Fixtures::bytesOf(same);
        auto repeated = draws;
        repeated[2].numbers = {5, 5, 6, 7, 8};
        QTest::newRow("a repeated number") << Fixtures::bytesOf(repeated);
        auto key = draws;
        key[3].clave = 10;
        QTest::newRow("key 10 in the last draw") << Fixtures::bytesOf(key);
        auto zero = draws;
        zero[1].numbers[0] = 0;
        QTest::newRow("a number 0") << Fixtures::bytesOf(zero);
        // (A CSV of draws is imported as draws: tst_drawentry.)
        QTest::newRow("text") << QByteArray("Esto no es un fichero de sorteos.\n");
    }

    void importRefusesBadFiles()
    {
        QFETCH(QByteArray, content);
        const QByteArray old = Fixtures::bytesOf(someDraws(3));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), old);
        start();
        run(m_maintenance->importDraws(chosenFile(content)));
        QCOMPARE(m_prompter.titles(), QStringList {kOops});
        QCOMPARE(m_prompter.boxes[0].text, kNotADrawFile);
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), old);
        QVERIFY(!QFile::exists(path(QStringLiteral("numeros.bak"))));
        QCOMPARE(m_session->storedDraws(), 3);
    }

    void importOfTheDataFileItself()
    {
        const QByteArray old = Fixtures::bytesOf(someDraws(3));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), old);
        start();
        run(m_maintenance->importDraws(path(QStringLiteral("numeros.dat"))));
        QCOMPARE(m_prompter.titles(), QStringList {kOops});
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), old);
        QVERIFY(!QFile::exists(path(QStringLiteral("numeros.bak"))));
    }

    // The list's context menu deletes any one draw, after a question naming it.
    void deleteNamedDraw()
    {
        const std::vector<DrawRecord> draws = someDraws(3);
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
        start();
        QVERIFY(!m_maintenance->drawDeleteMode());
        m_prompter.answers = {Prompter::Answer::No};
        QVERIFY(!run(m_maintenance->deleteNamedDraw(2)));
        QCOMPARE(m_prompter.boxes.last().text,
                 QStringLiteral("¿Seguro que quieres eliminar el sorteo del Domingo, 11 de enero del 2026?"));
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(run(m_maintenance->deleteNamedDraw(2)));
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), Fixtures::bytesOf({draws[0], draws[2]}));
    }

    // A cancelled choice points at the history that ships with the program.
    void cancelledChoicePointsAtTheShippedHistory()
    {
        start();
        run(m_maintenance->importDraws(QString()));
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].buttons, Prompter::Buttons::Ok);
        QVERIFY(m_prompter.boxes[0].text.startsWith(QStringLiteral("No se ha seleccionado ningún archivo.")));
        QVERIFY(m_prompter.boxes[0].text.contains(QStringLiteral("vienen con Quorvale")));
        QVERIFY(m_opener.opened.isEmpty());
    }

    void deleteAllAndReset()
    {
        const QByteArray draws = Fixtures::bytesOf(someDraws(6));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), draws);
        auto a = Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 3, QDate(2026, 1, 1));
        a.prizeCounts = {4, 0, 1, 0, 0, 0, 0, 0};
        a.lastCountedDate = OleDate::fromDate(QDate(2026, 2, 8));
        auto b = Fixtures::simpleSyndicate(QStringLiteral("B"), {{6, 7, 8, 9, 10}}, 4, QDate(2026, 1, 10));
        Fixtures::writeFile(path(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a, b}));
        start();
        QVERIFY(!m_maintenance->drawDeleteMode());

        // No, then Yes: the draws stay, every syndicate starts again today.
        m_prompter.answers = {Prompter::Answer::No, Prompter::Answer::Yes};
        run(m_maintenance->deleteAllDraws());
        QVERIFY(m_maintenance->drawDeleteMode());
        QCOMPARE(m_prompter.titles(), (QStringList {QStringLiteral("Borrar..."), QStringLiteral("Borrar...")}));
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), draws);
        const QByteArray reset = bytes(QStringLiteral("apuestas.dat"));
        QCOMPARE(reset.size(), 2 * SyndicateRecord::kSize);
        for (int r = 0; r < 2; ++r) {
            const auto s = SyndicateRecord::fromBytes(reset.mid(r * SyndicateRecord::kSize, SyndicateRecord::kSize));
            QCOMPARE(s.prizeCounts, (std::array<std::int16_t, 8> {}));
            // Nothing won since today; the draws kept are all looked at.
            QCOMPARE(s.lastCountedDate, someDraws(6).back().date);
            QCOMPARE(s.createdOn, OleDate::fromDate(kToday));
            QCOMPARE(s.bets, (r == 0 ? a : b).bets);
            QCOMPARE(s.name(), (r == 0 ? a : b).name());
        }

        // Yes, then No: the draws go, the syndicates stay as they are but
        // for the last counted draw, which no longer exists.
        m_prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::No};
        run(m_maintenance->deleteAllDraws());
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), QByteArray());
        // The history deleted is kept as numeros.bak.
        QCOMPARE(bytes(QStringLiteral("numeros.bak")), draws);
        QByteArray kept;
        for (int r = 0; r < 2; ++r) {
            auto s = SyndicateRecord::fromBytes(reset.mid(r * SyndicateRecord::kSize, SyndicateRecord::kSize));
            s.lastCountedDate = 0;
            kept += s.toBytes();
        }
        QCOMPARE(bytes(QStringLiteral("apuestas.dat")), kept);
        QCOMPARE(m_session->storedDraws(), 0);
        QCOMPARE(m_session->draws().list().total(), 0);
        QCOMPARE(Wording::lastUpdateText(m_session->drawStatus()), QStringLiteral("Fichero de datos vacío."));
    }

    // Both steps keep the peñas and their members first; put back, the
    // copies bring back every peña's history with the draws.
    void resetKeepsCopiesThatRestore()
    {
        const QByteArray draws = Fixtures::bytesOf(someDraws(6));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), draws);
        const auto a = Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}, {11, 12, 13, 14, 15}}, 0, QDate(2026, 1, 1));
        Fixtures::writeFile(path(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a}));
        const QByteArray members = R"({"formato": "quorvale-socios", "version": 1, "penas": []})";
        Fixtures::writeFile(path(QStringLiteral("socios.json")), members);
        start();
        const QByteArray before = bytes(QStringLiteral("apuestas.dat"));
        const auto counted = m_session->syndicates().records().front().prizeCounts;
        QVERIFY(counted != (std::array<std::int16_t, 8> {}));

        m_prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
        QVERIFY(run(m_maintenance->deleteAllDraws()));
        // The question says what the reset costs, and that a copy is kept.
        QVERIFY(m_prompter.boxes.last().text.startsWith(QStringLiteral("¿Quiere borrar también los aciertos de las peñas?.")));
        QVERIFY(m_prompter.boxes.last().text.contains(QStringLiteral("apuestas.bak")));
        QVERIFY(!m_prompter.boxes.last().text.contains(QStringLiteral("aconseja")));
        QCOMPARE(bytes(QStringLiteral("apuestas.bak")), before);
        QCOMPARE(bytes(QStringLiteral("socios.bak")), members);
        QCOMPARE(m_session->syndicates().records().front().createdOn, OleDate::fromDate(kToday));

        // Restored as the guide says: the copies back, the draws added again.
        m_session->shutdown();
        QVERIFY(QFile::remove(path(QStringLiteral("apuestas.dat"))));
        QVERIFY(QFile::copy(path(QStringLiteral("apuestas.bak")), path(QStringLiteral("apuestas.dat"))));
        start();
        run(m_maintenance->importDraws(chosenFile(draws)));
        QCOMPARE(m_session->syndicates().records().front().prizeCounts, counted);
        QCOMPARE(m_session->syndicates().records().front().createdOn, a.createdOn);
        QCOMPARE(bytes(QStringLiteral("apuestas.dat")), before);
    }

    void deleteOneDraw()
    {
        const auto draws = someDraws(4);
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
        start();
        // Not before "delete all" has been used.
        QCOMPARE(statusOf(m_maintenance->deleteDraw(1)), Outcome::Status::Unchanged);
        QVERIFY(m_prompter.boxes.isEmpty());

        m_maintenance->setDrawDeleteMode(true);
        QVERIFY(!run(m_maintenance->deleteDraw(5))); // not in the list
        QVERIFY(!run(m_maintenance->deleteDraw(0)));
        QVERIFY(m_prompter.boxes.isEmpty());
        QCOMPARE(statusOf(m_maintenance->deleteDraw(2)), Outcome::Status::Declined);
        QCOMPARE(m_session->storedDraws(), 4);

        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(run(m_maintenance->deleteDraw(1))); // the newest
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), Fixtures::bytesOf({draws[0], draws[1], draws[2]}));
        QCOMPARE(m_session->storedDraws(), 3);
        QCOMPARE(m_session->drawBuffer(), draws[2]);
        QCOMPARE(m_session->draws().list().total(), 3);
        QVERIFY(!QFile::exists(path(QStringLiteral("numeros.tmp"))));

        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(run(m_maintenance->deleteDraw(3))); // the oldest
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), Fixtures::bytesOf({draws[1], draws[2]}));
    }

    void commandsWriteThroughTheSessionsFiles()
    {
        // Given no FileOps of their own, the commands write through the Session's.
        const QByteArray stored = Fixtures::bytesOf(someDraws(4));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), stored);
        Session session(m_clock, m_prompter, {}, &m_files);
        QVERIFY(session.start(m_dir->path()));
        m_prompter.boxes.clear();
        Maintenance maintenance(session, m_opener);
        maintenance.setDrawDeleteMode(true);
        m_files.failAt = m_files.steps;
        m_prompter.answers = {Prompter::Answer::Yes};
        QCOMPARE(statusOf(maintenance.deleteDraw(1)), Outcome::Status::Failed);
        DrawEntry entry(session);
        m_files.failAt = m_files.steps;
        QCOMPARE(statusOf(entry.addDraw(QDate(2026, 2, 1), {1, 2, 3, 4, 5}, 0).outcome), Outcome::Status::Failed);
        QVERIFY(m_prompter.boxes.last().text.startsWith(
            QStringLiteral("No se han podido guardar los sorteos; numeros.dat sigue como estaba.\n")));
        QCOMPARE(bytes(QStringLiteral("numeros.dat")), stored);
    }

    void deleteSyndicate()
    {
        auto a = Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1));
        auto b = Fixtures::simpleSyndicate(QStringLiteral("  DOS"), {{6, 7, 8, 9, 10}}, 2, QDate(2026, 1, 2));
        auto c = Fixtures::simpleSyndicate(QStringLiteral("TRES"), {{11, 12, 13, 14, 15}}, 3, QDate(2026, 1, 3));
        // Counters as the one stored draw gives them, so start-up leaves the records as they are.
        const DrawRecord draw = Fixtures::draw(QDate(2026, 1, 4), {11, 12, 13, 14, 15}, 3);
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), Fixtures::bytesOf({draw}));
        c.prizeCounts = {0, 0, 0, 0, 0, 0, 0, 1};
        a.lastCountedDate = b.lastCountedDate = c.lastCountedDate = draw.date;
        Fixtures::writeFile(path(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a, b, c}));
        start();

        QCOMPARE(statusOf(m_maintenance->deleteSyndicate(0)), Outcome::Status::Refused);
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("¡Nooooo!")});
        QCOMPARE(m_prompter.boxes[0].text, QStringLiteral("Seleccione una peña primero..."));

        m_prompter.boxes.clear();
        QCOMPARE(statusOf(m_maintenance->deleteSyndicate(2)), Outcome::Status::Declined);
        QCOMPARE(m_prompter.boxes[0].text, QStringLiteral("¿Seguro que quieres eliminar la Peña DOS?"));
        QCOMPARE(bytes(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a, b, c}));

        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(run(m_maintenance->deleteSyndicate(2)));
        // Record 3 moves to 2 byte for byte.
        QCOMPARE(bytes(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a, c}));
        QCOMPARE(m_session->syndicates().nextRecord(), 3);
        QVERIFY(!QFile::exists(path(QStringLiteral("apuestas.tmp"))));
    }

    // Every mutating step of every command, made to fail: the data file is
    // the old one or the new one, whole; the message names the cause.
    void failureAtEachStep_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<int>("failure");
        QTest::addColumn<bool>("fails");
        // The mutating steps of each command when nothing fails. The row
        // one past the last must run through: a step added later fails that
        // row instead of going untested.
        const std::pair<const char *, int> commands[] = {
            {"import", 2}, {"deleteAll", 4}, {"reset", 2}, {"deleteDraw", 2}, {"deleteSyndicate", 2}};
        for (auto [command, steps] : commands) {
            for (int step = 0; step < steps; ++step) {
                for (auto [failure, name] : {std::pair {FileOps::Result::Failed, ""},
                                             std::pair {FileOps::Result::PermissionDenied, " denied"},
                                             std::pair {FileOps::Result::DiskFull, " disk full"}})
                    QTest::addRow("%s step %d%s", command, step, name)
                        << QString::fromLatin1(command) << step << int(failure) << true;
            }
            QTest::addRow("%s whole", command) << QString::fromLatin1(command) << steps << int(FileOps::Result::Failed) << false;
        }
    }

    void failureAtEachStep()
    {
        QFETCH(QString, command);
        QFETCH(int, failAt);
        QFETCH(int, failure);
        QFETCH(bool, fails);
        const bool permission = failure == int(FileOps::Result::PermissionDenied);

        const auto draws = someDraws(5);
        const QByteArray oldDraws = Fixtures::bytesOf(draws);
        const auto a = Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1));
        const auto b = Fixtures::simpleSyndicate(QStringLiteral("DOS"), {{6, 7, 8, 9, 10}}, 2, QDate(2026, 1, 2));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), oldDraws);
        Fixtures::writeFile(path(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a, b}));
        start();
        // As start-up's count of the stored draws left them.
        const QByteArray oldSyndicates = bytes(QStringLiteral("apuestas.dat"));
        const QString chosen = chosenFile(Fixtures::bytesOf(someDraws(9)));
        m_files.failAt = failAt;
        m_files.failure = FileOps::Result(failure);
        m_maintenance->setDrawDeleteMode(true);
        m_prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes};
        if (command == QLatin1String("import"))
            run(m_maintenance->importDraws(chosen));
        else if (command == QLatin1String("deleteAll"))
            run(m_maintenance->deleteAllDraws());
        else if (command == QLatin1String("reset"))
            (m_prompter.answers = {Prompter::Answer::No, Prompter::Answer::Yes}, run(m_maintenance->deleteAllDraws()));
        else if (command == QLatin1String("deleteDraw"))
            run(m_maintenance->deleteDraw(2));
        else
            run(m_maintenance->deleteSyndicate(1));

        const QByteArray drawsNow = bytes(QStringLiteral("numeros.dat"));
        const QByteArray syndicatesNow = bytes(QStringLiteral("apuestas.dat"));
        const bool failed = failAt < m_files.steps;
        QCOMPARE(failed, fails);
        if (failed) {
            // Delete-all stops at its failing step: the draws went only when
            // their own step succeeded, the reset never ran.
            // (apuestas.bak, numeros.bak, numeros.dat, then the reset.)
            const bool drawsGone = command == QLatin1String("deleteAll") && failAt == 3;
            QCOMPARE(drawsNow, drawsGone ? QByteArray() : oldDraws);
            // With the draws gone the counters follow them back to nothing.
            QCOMPARE(syndicatesNow, drawsGone ? Fixtures::bytesOf({a, b}) : oldSyndicates);
        }
        QVERIFY(drawsNow == oldDraws || drawsNow.isEmpty() || drawsNow.size() % DrawRecord::kSize == 0);
        QVERIFY(syndicatesNow.size() % SyndicateRecord::kSize == 0);
        // The session reads what is on disk.
        QCOMPARE(m_session->storedDraws(), int(drawsNow.size() / DrawRecord::kSize));
        QCOMPARE(int(m_session->syndicates().records().size()), int(syndicatesNow.size() / SyndicateRecord::kSize));

        const bool permissionBox = m_prompter.titles().contains(kPermissionTitle);
        if (command == QLatin1String("import")) {
            QCOMPARE(permissionBox, false); // the import says it with its own error number
            const QString number = permission               ? QStringLiteral(" Error 70")
                : failure == int(FileOps::Result::DiskFull) ? QStringLiteral(" Error 61")
                                                            : QStringLiteral(" Error 75");
            const QString failedFile = path(failAt == 0 ? QStringLiteral("numeros.bak") : QStringLiteral("numeros.dat"));
            if (failed)
                QCOMPARE(m_prompter.boxes.last().text,
                         kNotADrawFile + number + QLatin1Char('\n') + fileErrorText(FileOps::Result(failure), failedFile));
        } else {
            QCOMPARE(permissionBox, failed && permission);
            // Any other cause is named, with the file it stopped on.
            if (failed && !permission) {
                const bool deleteAll = command == QLatin1String("deleteAll");
                const bool backup = (deleteAll || command == QLatin1String("reset")) && failAt == 0;
                const bool syndicates = command == QLatin1String("reset") || command == QLatin1String("deleteSyndicate")
                    || (deleteAll && failAt == 3);
                const QString target = path(backup                         ? QStringLiteral("apuestas.bak")
                                                : syndicates               ? QStringLiteral("apuestas.dat")
                                                : deleteAll && failAt == 1 ? QStringLiteral("numeros.bak")
                                                                           : QStringLiteral("numeros.dat"));
                QCOMPARE(m_prompter.boxes.last().title, kOops);
                QCOMPARE(m_prompter.boxes.last().text, fileErrorText(FileOps::Result(failure), target));
            }
        }
    }

    // On a real full file system every command either succeeds or leaves
    // every file as it was, and says the disk is full.
    void fullDisk()
    {
        SmallDisk disk(128);
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        m_dir = std::make_unique<QTemporaryDir>(disk.filePath(QStringLiteral("datos-XXXXXX")));
        const QByteArray draws = Fixtures::bytesOf(someDraws(5));
        const auto a = Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1));
        const auto b = Fixtures::simpleSyndicate(QStringLiteral("DOS"), {{6, 7, 8, 9, 10}}, 2, QDate(2026, 1, 2));
        Fixtures::writeFile(path(QStringLiteral("numeros.dat")), draws);
        Fixtures::writeFile(path(QStringLiteral("numeros.bak")), draws.left(48));
        // Six records fill most of a page: a seventh needs a new one.
        Fixtures::writeFile(path(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({a, b, a, b, a, b}));
        start();
        const QByteArray syndicates = bytes(QStringLiteral("apuestas.dat"));
        const QString chosen = chosenFile(Fixtures::bytesOf(Fixtures::realDraws()));
        disk.fill();
        const auto unchanged = [&] {
            QCOMPARE(bytes(QStringLiteral("numeros.dat")), draws);
            QCOMPARE(bytes(QStringLiteral("numeros.bak")), draws.left(48));
            QCOMPARE(bytes(QStringLiteral("apuestas.dat")), syndicates);
            QVERIFY(!QFile::exists(path(QStringLiteral("numeros.tmp"))));
            QVERIFY(!QFile::exists(path(QStringLiteral("apuestas.tmp"))));
            QVERIFY(m_prompter.boxes.last().text.contains(QStringLiteral("No queda espacio en el disco")));
            m_prompter.boxes.clear();
        };

        run(m_maintenance->importDraws(chosen));
        unchanged();
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(!run(m_maintenance->deleteSyndicate(1)));
        unchanged();
        m_prompter.answers = {Prompter::Answer::No, Prompter::Answer::Yes};
        QVERIFY(!run(m_maintenance->deleteAllDraws()));
        unchanged();
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(!run(m_maintenance->deleteDraw(2)));
        unchanged();

        SyndicateCreation creation(*m_session);
        QCOMPARE(creation.enter(3, {{1, 2, 3, 4, 5}}), Outcome::Cause::None);
        QCOMPARE(m_prompter.report(creation.save(QStringLiteral("TRES"))).record, 0);
        unchanged();
        m_session->shutdown();
        m_session.reset();
    }

    // A syndicate file that cannot be read, or a pipe in its place, is
    // never taken for an empty one: nothing that would write it runs.
    void unusableSyndicateFileIsNeverReplaced_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("unreadable") << false;
        QTest::newRow("pipe") << true;
    }

    void unusableSyndicateFileIsNeverReplaced()
    {
        QFETCH(bool, pipe);
        const QString file = path(QStringLiteral("apuestas.dat"));
        const QByteArray old = Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1))});
        if (pipe) {
            QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        } else {
            Fixtures::writeFile(file, old);
            QVERIFY(::chmod(QFile::encodeName(file).constData(), 0200) == 0);
            if (QFile(file).open(QIODevice::ReadOnly))
                QSKIP("this user reads any file");
        }
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir->path()));
        m_maintenance = std::make_unique<Maintenance>(*m_session, m_files, m_opener);
        QVERIFY(std::any_of(m_prompter.boxes.begin(), m_prompter.boxes.end(),
                            [&](const auto &box) { return box.text.contains(file); }));

        m_prompter.answers = {Prompter::Answer::No, Prompter::Answer::Yes};
        QVERIFY(!run(m_maintenance->deleteAllDraws()));
        QVERIFY(m_prompter.boxes.last().text.contains(file));
        SyndicateCreation creation(*m_session);
        QCOMPARE(creation.enter(3, {{1, 2, 3, 4, 5}}), Outcome::Cause::None);
        QCOMPARE(m_prompter.report(creation.save(QStringLiteral("DOS"))).record, 0);
        QCOMPARE(m_files.steps, 0);
        if (pipe) {
            QVERIFY(!QFileInfo(file).isFile());
        } else {
            QVERIFY(::chmod(QFile::encodeName(file).constData(), 0600) == 0);
            QCOMPARE(bytes(QStringLiteral("apuestas.dat")), old);
        }
    }

    void unreadableDrawFileKeepsTheBackup()
    {
        const QString file = path(QStringLiteral("numeros.dat"));
        Fixtures::writeFile(path(QStringLiteral("numeros.bak")), "earlier");
        Fixtures::writeFile(file, Fixtures::bytesOf(someDraws(2)));
        start();
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0200) == 0);
        if (QFile(file).open(QIODevice::ReadOnly))
            QSKIP("this user reads any file");
        run(m_maintenance->importDraws(chosenFile(Fixtures::bytesOf(someDraws(9)))));
        QCOMPARE(m_prompter.boxes.last().text, fileErrorText(FileOps::Result::Unreadable, file));
        QCOMPARE(bytes(QStringLiteral("numeros.bak")), QByteArray("earlier"));
    }

    // The links of the data files stay; a link planted as the work file is
    // removed, never written through.
    void linksStayAndWorkFilesDoNotFollowThem()
    {
        const QString target = m_elsewhere->filePath(QStringLiteral("mis-sorteos.dat"));
        const QString victim = m_elsewhere->filePath(QStringLiteral("ajeno"));
        const auto draws = someDraws(4);
        Fixtures::writeFile(target, Fixtures::bytesOf(draws));
        Fixtures::writeFile(victim, "not ours");
        QVERIFY(QFile::link(target, path(QStringLiteral("numeros.dat"))));
        QVERIFY(QFile::link(victim, path(QStringLiteral("numeros.tmp"))));
        start();

        m_maintenance->setDrawDeleteMode(true);
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(run(m_maintenance->deleteDraw(1)));
        QCOMPARE(Fixtures::readFile(victim), QByteArray("not ours"));
        QVERIFY(QFileInfo(path(QStringLiteral("numeros.dat"))).isSymLink());
        QCOMPARE(Fixtures::readFile(target), Fixtures::bytesOf({draws[0], draws[1], draws[2]}));

        run(m_maintenance->importDraws(chosenFile(Fixtures::bytesOf(someDraws(6)))));
        QVERIFY(QFileInfo(path(QStringLiteral("numeros.dat"))).isSymLink());
        QCOMPARE(Fixtures::readFile(target), Fixtures::bytesOf(someDraws(6)));
        QCOMPARE(m_session->storedDraws(), 6);
    }
};

QTEST_GUILESS_MAIN(TestMaintenance)
#include "tst_maintenance.moc"
