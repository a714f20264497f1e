// Start-up, the status scan and the draw list, run on real files in a
// scratch directory with a fixed date and recorded message boxes.

#include "base/clock.h"
#include "base/urlopener.h"
#include "core/maintenance.h"
#include "core/session.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "support/failingfileops.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/drawwording.h"
#include "wording/statuswording.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace
{
    const QDate kToday(2026, 12, 8); // a Tuesday
    const QString kBadTitle = QStringLiteral("Error de lectura");
    const QString kBadText = QStringLiteral("Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.");
}

class TestSession : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<Session> startSession()
    {
        auto session = std::make_unique<Session>(m_clock, m_prompter);
        if (!session->start(m_dir->path()))
            return nullptr;
        return session;
    }

    // Sets a file's (or a link's own) modification time seconds back.
    static bool age(const QString &file, int seconds)
    {
        struct timeval times[2] {};
        times[0].tv_sec = times[1].tv_sec = ::time(nullptr) - seconds;
        return ::lutimes(QFile::encodeName(file).constData(), times) == 0;
    }

    class NoBrowser final : public UrlOpener
    {
    public:
        void open(const QUrl &) override {}
    };

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prompter.boxes.clear();
        m_clock.setToday(kToday);
    }

    void firstRunInEmptyDirectory()
    {
        auto session = startSession();
        QVERIFY(session);
        for (const char *name : {"apuestas.dat", "numeros.dat", "www.txt", "www2.txt"}) {
            QVERIFY2(QFile::exists(path(name)), name);
            QCOMPARE(QFileInfo(path(name)).size(), 0);
        }
        QCOMPARE(Fixtures::readFile(path("nums.ini")), QByteArray(12, '\0'));
        QCOMPARE(Wording::lastUpdateText(session->drawStatus()), QStringLiteral("Fichero de datos vacío."));
        QCOMPARE(session->nextDrawRecord(), 1);
        QCOMPARE(Wording::drawTotalText(session->draws().list()), QStringLiteral("TOTAL: 0 sorteos."));
        QCOMPARE(session->syndicates().count(), 0);
        QCOMPARE(session->drawsSinceFirstSyndicate(), 0);
        QVERIFY(m_prompter.boxes.isEmpty()); // the greeting waits for the window

        session->mainWindowActivated();
        session->mainWindowActivated();
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("Fichero de peñas vacío")});
        QVERIFY(m_prompter.boxes[0].text.startsWith(QStringLiteral("Bienvenido a Quorvale.")));
    }

    void noGreetingWithASyndicate()
    {
        Fixtures::writeFile(path("apuestas.dat"),
                            Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 0, kToday)}));
        auto session = startSession();
        session->mainWindowActivated();
        QVERIFY(m_prompter.boxes.isEmpty());
    }

    void staleWorkFileAndShortSettings()
    {
        Fixtures::writeFile(path("apuestas.tmp"), "half a deletion");
        Fixtures::writeFile(path("nums.ini"), QByteArray(5, 'x'));
        auto session = startSession();
        QVERIFY(!QFile::exists(path("apuestas.tmp")));
        QCOMPARE(Fixtures::readFile(path("nums.ini")), QByteArray(12, '\0'));
        QCOMPARE(session->calibration(), PrintCalibration {});

        // An existing record is read, not replaced.
        session.reset();
        PrintCalibration c;
        c.offsetX = 2.5f;
        Fixtures::writeFile(path("nums.ini"), c.toBytes());
        session = startSession();
        QCOMPARE(session->calibration(), c);
    }

    void realHistoryLoads()
    {
        const auto draws = Fixtures::realDraws();
        QCOMPARE(int(draws.size()), 1114);
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(draws));
        auto session = startSession();

        QCOMPARE(session->nextDrawRecord(), 1115);
        QCOMPARE(Wording::lastUpdateText(session->drawStatus()), QStringLiteral("Domingo, 16 de agosto del 2026"));
        QCOMPARE(Wording::missingDrawsText(session->drawStatus()), QStringLiteral("Faltan 16 sorteos por actualizar"));
        QCOMPARE(session->drawBuffer(), draws.back());

        const DrawList &list = session->draws().list();
        QCOMPARE(Wording::drawTotalText(list), QStringLiteral("TOTAL: 1114 sorteos."));
        QCOMPARE(list.draws.front(), draws.back()); // newest first
        QCOMPARE(list.draws.back(), draws.front());
        QCOMPARE(Wording::drawNumbersText(list.draws.front()), QStringLiteral(" 7- 8-11-31-35  NÚM.CLAVE: 1"));
        QCOMPARE(Wording::drawDateText(list.draws.front()), QStringLiteral("16/08/2026  Domingo"));
        // Saturday draws of 2005-2006 keep their weekday.
        QCOMPARE(Wording::drawDateText(Fixtures::draw(QDate(2005, 10, 22), {1, 2, 3, 4, 5}, 0)), QStringLiteral("22/10/2005  Sábado"));

        int numbers = 0, keys = 0;
        for (int c : list.numberTally)
            numbers += c;
        for (int c : list.keyTally)
            keys += c;
        QCOMPARE(numbers, 5 * 1114);
        QCOMPARE(keys, 1114);
    }

    void listTextsAndTallies()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf({
                                                     Fixtures::draw(QDate(2026, 11, 29), {1, 2, 3, 4, 9}, 0),
                                                     Fixtures::draw(QDate(2026, 12, 6), {10, 27, 28, 40, 54}, 9),
                                                 }));
        auto session = startSession();
        const DrawList &list = session->draws().list();
        QCOMPARE(list.total(), 2);
        QCOMPARE(Wording::drawNumbersText(list.draws[1]), QStringLiteral(" 1- 2- 3- 4-9  NÚM.CLAVE: 0"));
        QCOMPARE(Wording::drawNumbersText(list.draws[0]), QStringLiteral("10-27-28-40-54  NÚM.CLAVE: 9"));
        QCOMPARE(list.numberTally[26], 1); // 27
        QCOMPARE(list.numberTally[27], 1); // 28
        QCOMPARE(list.numberTally[53], 1); // 54
        QCOMPARE(list.numberTally[4], 0);
        QCOMPARE(list.keyTally[0], 1);
        QCOMPARE(list.keyTally[9], 1);
        QCOMPARE(session->drawStatus().missingWarning, false);
        QCOMPARE(Wording::nextDrawText(session->drawStatus()), QStringLiteral("Domingo, 13 de diciembre del 2026"));
    }

    void invalidFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = Fixtures::draw(QDate(2026, 11, 29), {1, 2, 3, 4, 5}, 3).toBytes();
        QTest::newRow("key 10 in the last record") << good + Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 5}, 10).toBytes();
        QTest::newRow("number 55") << Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 55}, 1).toBytes() + good;
        QTest::newRow("number 0") << Fixtures::draw(QDate(2026, 12, 6), {0, 2, 3, 4, 5}, 1).toBytes();
        QTest::newRow("bad records and a partial one") << Fixtures::draw(QDate(2026, 12, 6), {0, 2, 3, 4, 5}, 1).toBytes() + QByteArray(7, '\1');
        DrawRecord nan = Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 5}, 1);
        nan.date = std::nan("");
        QTest::newRow("date not a number") << good + nan.toBytes();
        QTest::newRow("text file") << QByteArray("this is not a draw file at all, just text\n").repeated(3);
    }

    void invalidFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        Fixtures::writeFile(path("numeros.dat"), bytes);
        auto session = startSession();

        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].title, kBadTitle);
        QCOMPARE(m_prompter.boxes[0].text, kBadText + QStringLiteral("\nUna copia del archivo se ha guardado en %1.").arg(path("numeros.invalido")));
        QCOMPARE(m_prompter.boxes[0].icon, Prompter::Icon::Warning);
        // The player's bytes survive; the program goes on with an empty file.
        QCOMPARE(Fixtures::readFile(path("numeros.invalido")), bytes);
        QCOMPARE(QFileInfo(path("numeros.dat")).size(), 0);
        QCOMPARE(session->draws().list().total(), 0);
        QCOMPARE(Wording::lastUpdateText(session->drawStatus()), QStringLiteral("Fichero de datos vacío."));
        QCOMPARE(session->rejectedDrawFiles(), 1);
    }

    void earlierKeptCopyIsNotOverwritten()
    {
        Fixtures::writeFile(path("numeros.invalido"), "first");
        Fixtures::writeFile(path("numeros.invalido.2"), "second");
        Fixtures::writeFile(path("numeros.dat"), "third, also broken, and longer");
        auto session = startSession();
        QCOMPARE(Fixtures::readFile(path("numeros.invalido")), QByteArray("first"));
        QCOMPARE(Fixtures::readFile(path("numeros.invalido.2")), QByteArray("second"));
        QCOMPARE(Fixtures::readFile(path("numeros.invalido.3")), QByteArray("third, also broken, and longer"));
    }

    // A write cut short left part of a record: the whole ones stay in use,
    // only the tail goes aside (the next start finds a sound file).
    void drawFileWithTail()
    {
        const QByteArray whole = Fixtures::bytesOf({Fixtures::draw(QDate(2026, 11, 29), {1, 2, 3, 4, 5}, 3),
                                                    Fixtures::draw(QDate(2026, 12, 6), {6, 7, 8, 9, 10}, 4)});
        Fixtures::writeFile(path("numeros.dat"), whole + whole.left(11));
        auto session = startSession();
        QCOMPARE(session->draws().list().total(), 2);
        QCOMPARE(session->rejectedDrawFiles(), 0);
        QCOMPARE(Fixtures::readFile(path("numeros.dat")), whole);
        QCOMPARE(Fixtures::readFile(path("numeros.resto")), whole.left(11));
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].title, kBadTitle);
        QVERIFY(m_prompter.boxes[0].text.endsWith(QStringLiteral("se han guardado en %1.").arg(path("numeros.resto"))));
        m_prompter.boxes.clear();
        session.reset();
        session = startSession();
        QVERIFY(m_prompter.boxes.isEmpty());
    }

    // Stored draws that cannot be real are named in red and counted for
    // nothing; they can be deleted at once.
    void implausibleDraws()
    {
        const auto a = Fixtures::simpleSyndicate(QStringLiteral("UNO"), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1));
        Fixtures::writeFile(path("apuestas.dat"), a.toBytes());
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf({
                                                     Fixtures::draw(QDate(2026, 11, 22), {40, 41, 42, 43, 44}, 0), Fixtures::draw(QDate(2026, 11, 22), {40, 41, 42, 43, 45}, 0), // same date
                                                     Fixtures::draw(QDate(2026, 11, 29), {40, 41, 42, 43, 46}, 0), Fixtures::draw(QDate(2026, 11, 26), {40, 41, 42, 43, 47}, 0), // falls back (and a Thursday)
                                                     Fixtures::draw(QDate(2026, 12, 6), {40, 41, 42, 43, 48}, 0), Fixtures::draw(QDate(2027, 3, 14), {1, 2, 3, 4, 5}, 1), // after today, all five hit
                                                 }));
        auto session = startSession();
        const DrawStatus &status = session->drawStatus();
        QCOMPARE(status.implausibleDraws, (std::vector<ImplausibleDraw> {{2, ImplausibleReason::RepeatedDate}, {4, ImplausibleReason::FallingDate}, {6, ImplausibleReason::Future}}));
        QCOMPARE(Wording::redLinesText(status), QStringLiteral("Hay 3 sorteos imposibles en numeros.dat (fecha posterior a hoy, fecha repetida, fecha anterior a la "
                                                               "del sorteo previo): n.º 1, 3, 5 de la lista de sorteos. Haga clic en cada uno en la lista para borrarlo."));
        QCOMPARE(session->implausibleDrawRecords(), (std::vector<int> {2, 4, 6}));
        // The status speaks of the newest real draw; the future one won nothing.
        QCOMPARE(Wording::lastUpdateText(status), QStringLiteral("Domingo, 6 de diciembre del 2026"));
        QCOMPARE(session->drawsSinceFirstSyndicate(), 5);
        for (int count : session->syndicates().records()[0].prizeCounts)
            QCOMPARE(count, 0);
        QVERIFY(session->syndicates().records()[0].lastCountedDate < OleDate::fromDate(kToday));

        DiskFileOps files;
        NoBrowser browser;
        Maintenance maintenance(*session, files, browser);
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(!maintenance.drawDeleteMode());
        QVERIFY(!maintenance.deleteDraw(2).changed()); // a real draw needs "delete all" first
        QVERIFY(maintenance.deleteDraw(1).changed());
        QCOMPARE(session->storedDraws(), 5);
        QCOMPARE(session->implausibleDrawRecords(), (std::vector<int> {2, 4}));
    }

    // A wrong date is flagged alone: the real draws after it are judged
    // against the last real one, not against the wrong date.
    void implausibleDrawsAfterAWrongOne()
    {
        using Reason = ImplausibleReason;
        struct Row
        {
            const char *name;
            std::vector<QDate> dates;
            std::vector<ImplausibleDraw> flagged;
        };
        const Row rows[] = {
            {"a year typed as 2030",
             {QDate(2005, 4, 3), QDate(2005, 4, 10), QDate(2030, 1, 6), QDate(2005, 4, 17), QDate(2005, 4, 24)},
             {{3, Reason::Future}}},
            {"a Saturday ahead of its place",
             {QDate(2005, 4, 3), QDate(2005, 4, 30), QDate(2005, 4, 17), QDate(2005, 4, 24)},
             {{2, Reason::NotADrawDay}}},
            {"two draws behind a later one",
             {QDate(2005, 4, 3), QDate(2005, 4, 24), QDate(2005, 4, 10), QDate(2005, 4, 17), QDate(2005, 5, 1)},
             {{3, Reason::FallingDate}, {4, Reason::FallingDate}}},
        };
        for (const Row &row : rows) {
            std::vector<double> dates;
            for (QDate date : row.dates)
                dates.push_back(OleDate::fromDate(date));
            const std::vector<ImplausibleDraw> found = findImplausibleDraws(dates, kToday);
            QVERIFY2(found.size() == row.flagged.size(), row.name);
            for (std::size_t i = 0; i < found.size(); ++i) {
                QVERIFY2(found[i].record == row.flagged[i].record, row.name);
                QVERIFY2(found[i].reason == row.flagged[i].reason, row.name);
            }
        }
    }

    void syndicateFileWithTail()
    {
        const auto one = Fixtures::simpleSyndicate(QStringLiteral("PEÑA UNO"), {{1, 2, 3, 4, 5}}, 4, QDate(2026, 11, 30));
        const QByteArray tail(300, '\x7f');
        Fixtures::writeFile(path("apuestas.resto"), "an earlier tail");
        Fixtures::writeFile(path("apuestas.dat"), one.toBytes() + tail);
        auto session = startSession();
        QCOMPARE(int(session->syndicates().records().size()), 1);
        QCOMPARE(session->syndicates().records()[0].name(), QStringLiteral("PEÑA UNO"));
        QCOMPARE(session->syndicates().nextRecord(), 2);
        // The tail is kept beside the file, never over an earlier copy, and
        // the next record will go where it was.
        QCOMPARE(Fixtures::readFile(path("apuestas.resto.2")), tail);
        QCOMPARE(Fixtures::readFile(path("apuestas.resto")), QByteArray("an earlier tail"));
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), one.toBytes());
        QVERIFY(m_prompter.boxes.last().text.endsWith(QStringLiteral("se han guardado en %1.").arg(path("apuestas.resto.2"))));
    }

    void drawsSinceFirstSyndicate()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf({
                                                     Fixtures::draw(QDate(2026, 11, 22), {1, 2, 3, 4, 5}, 0),
                                                     Fixtures::draw(QDate(2026, 11, 29), {1, 2, 3, 4, 5}, 0),
                                                     Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 5}, 0),
                                                 }));
        {
            auto session = startSession();
            QCOMPARE(session->drawsSinceFirstSyndicate(), 0); // nobody plays yet
        }
        // The oldest creation date counts, whatever the order of the records;
        // a draw on the creation day is played.
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("NUEVA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 12, 7)),
                                                      Fixtures::simpleSyndicate(QStringLiteral("VIEJA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 11, 29)),
                                                  }));
        auto session = startSession();
        QCOMPARE(session->drawsSinceFirstSyndicate(), 2);
        QCOMPARE(session->syndicates().count(), 2);
    }

    void viewOptionsRefreshOnlyOnChange()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(Fixtures::realDraws()));
        auto session = startSession();
        QSignalSpy refreshed(session.get(), &Session::drawListChanged);
        session->setHistorico(false); // unchanged
        session->setDrawsToShow(1);
        QCOMPARE(refreshed.count(), 0);
        session->setHistorico(true);
        session->setSoloPremio(true);
        session->setDrawsToShow(5000); // lowered to the number of stored draws
        QCOMPARE(refreshed.count(), 3);
        QCOMPARE(session->view().drawsToShow(), 1114);
    }

    // Links: a data file linked to a file that is not the user's, into a
    // folder that is not the user's, or round in a loop is told once by
    // name, neither read nor written, and stays a link; nothing goes aside.
    void linksNotFollowed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("why");
        for (const char *name : {"premios.json", "socios.json", "numeros.dat", "apuestas.dat", "nums.ini", "www.txt"}) {
            QTest::addRow("%s, another user's file", name) << QString::fromLatin1(name) << "file"
                                                           << "un archivo que no es suyo";
            QTest::addRow("%s, another user's folder", name) << QString::fromLatin1(name) << "folder"
                                                             << "en una carpeta que no es suya";
            QTest::addRow("%s, a loop", name) << QString::fromLatin1(name) << "loop"
                                              << "forman un bucle";
        }
    }

    void linksNotFollowed()
    {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QString, why);
        if (how != QLatin1String("loop") && ::geteuid() != 0)
            QSKIP("files of another user are made by root");
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("ajeno"));
        const QString link = m_dir->filePath(name);
        const QByteArray theirs = "{\"formato\": \"quorvale-premios\", \"version\": 1, \"informes\": []}";
        QVERIFY(Fixtures::writeFile(target, theirs));
        if (how == QLatin1String("loop")) {
            QVERIFY(QFile::link(link + QStringLiteral(".otro"), link));
            QVERIFY(QFile::link(link, link + QStringLiteral(".otro")));
        } else {
            QVERIFY(QFile::link(target, link));
            const QString owned = how == QLatin1String("file") ? target : elsewhere.path();
            QVERIFY(::chown(QFile::encodeName(owned).constData(), 65534, 65534) == 0);
        }
        auto session = startSession();
        QVERIFY(session);
        QCOMPARE(m_prompter.boxes.size(), 1);
        QVERIFY2(m_prompter.boxes[0].text.startsWith(name + QStringLiteral(" es un enlace")), qPrintable(m_prompter.boxes[0].text));
        QVERIFY2(m_prompter.boxes[0].text.contains(why), qPrintable(m_prompter.boxes[0].text));
        // Nothing is written through it, by the session or any later write.
        PrizeReport pending;
        pending.date = QDate(2026, 12, 6);
        pending.status = PrizeReport::Status::Pending;
        session->prizeReports().put(pending);
        session->prizeReports().save();
        DiskFileOps files;
        QCOMPARE(files.write(link, "nuevo"), FileOps::Result::LinkRefused);
        QCOMPARE(fileErrorText(FileOps::Result::LinkRefused, link), m_prompter.boxes[0].text);
        session.reset();
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Fixtures::readFile(target), theirs);
        QVERIFY(QDir(m_dir->path()).entryList({QStringLiteral("*.invalido*")}).isEmpty());
    }

    // A damaged file behind a link of the user's own is copied aside the
    // first time only: later starts name the same copy.
    void damagedLinkedFileCopiedOnce()
    {
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("mis-socios.json"));
        QVERIFY(Fixtures::writeFile(target, "{roto"));
        QVERIFY(QFile::link(target, path("socios.json")));
        for (int run = 0; run < 2; ++run) {
            m_prompter.boxes.clear();
            auto session = startSession();
            QCOMPARE(m_prompter.boxes.size(), 1);
            QVERIFY(m_prompter.boxes[0].text.contains(QStringLiteral("socios.invalido")));
        }
        QCOMPARE(Fixtures::readFile(path("socios.invalido")), QByteArray("{roto"));
        QVERIFY(!QFileInfo::exists(path("socios.invalido.2")));
        QCOMPARE(Fixtures::readFile(target), QByteArray("{roto"));
    }

    // Start-up: the work files of writes cut short are removed once a
    // minute old; a fresh one, a link, or a file that is not of ours stays.
    void leftoverWorkFiles()
    {
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath(QStringLiteral("victima"));
        QVERIFY(Fixtures::writeFile(victim, "precious"));
        const QStringList gone = {QStringLiteral(".socios.json.Ab12Cd"), QStringLiteral(".numeros.dat.q9Z8y7"),
                                  QStringLiteral("numeros.tmp"), QStringLiteral("edu.pdf.XyZ123")};
        const QStringList kept = {QStringLiteral(".notas.txt.Ab12Cd"), QStringLiteral("numeros.dat.backup"),
                                  QStringLiteral("socios.json.copia1")};
        for (const QString &name : gone + kept) {
            QVERIFY(Fixtures::writeFile(m_dir->filePath(name), "work"));
            QVERIFY(age(m_dir->filePath(name), 120));
        }
        QVERIFY(Fixtures::writeFile(path(".premios.json.fResh1"), "work"));
        QVERIFY(QFile::link(victim, path(".apuestas.dat.LnK123")));
        QVERIFY(age(path(".apuestas.dat.LnK123"), 120));
        auto session = startSession();
        for (const QString &name : gone)
            QVERIFY2(!QFileInfo::exists(m_dir->filePath(name)), qPrintable(name));
        for (const QString &name : kept + QStringList {QStringLiteral(".premios.json.fResh1")})
            QVERIFY2(QFileInfo::exists(m_dir->filePath(name)), qPrintable(name));
        QVERIFY(QFileInfo(path(".apuestas.dat.LnK123")).isSymLink());
        QCOMPARE(Fixtures::readFile(victim), QByteArray("precious"));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
