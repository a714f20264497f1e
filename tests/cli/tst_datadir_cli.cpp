// Whose data directory it is: one Quorvale at a time, the portable copy and
// the per-user directory, and command lines that must change nothing.

#include "core/datadir.h"
#include "core/datalock.h"
#include "store/syndicaterecord.h"
#include "support/fixtures.h"
#include "support/smalldisk.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

#include <unistd.h>

namespace
{
    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };

    Run runCli(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QUORVALE_CLI), arguments);
        Run run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            run.code = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QStringList namesIn(const QString &path)
    {
        const QByteArray bytes = Fixtures::readFile(path);
        QStringList names;
        for (qsizetype at = 0; at + SyndicateRecord::kSize <= bytes.size(); at += SyndicateRecord::kSize)
            names << SyndicateRecord::fromBytes(bytes.sliced(at, SyndicateRecord::kSize)).name().trimmed();
        return names;
    }
}

class TestDataDirCli : public QObject
{
    Q_OBJECT

    // The reading commands answer in a data directory that cannot be
    // written; every writing one fails naming why, and nothing changes.
    void checkReadOnly(const QString &dir, const QStringList &runAs, const QString &why)
    {
        const auto run = [&](QStringList arguments) {
            arguments.prepend(dir);
            arguments.prepend(QStringLiteral("--data-dir"));
            if (runAs.isEmpty())
                return runCli(arguments);
            QProcess process;
            process.start(runAs.first(), runAs.mid(1) + QStringList {QStringLiteral(QUORVALE_CLI)} + arguments);
            Run result;
            if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
                result.code = process.exitCode();
            result.out = QString::fromUtf8(process.readAllStandardOutput());
            result.err = QString::fromUtf8(process.readAllStandardError());
            return result;
        };
        const QByteArray draws = Fixtures::readFile(QDir(dir).filePath(QStringLiteral("numeros.dat")));
        const QByteArray syndicates = Fixtures::readFile(QDir(dir).filePath(QStringLiteral("apuestas.dat")));
        const QList<QStringList> reading = {
            {QStringLiteral("status")},
            {QStringLiteral("draws"), QStringLiteral("--json")},
            {QStringLiteral("check")},
            {QStringLiteral("syndicates")},
            {QStringLiteral("members"), QStringLiteral("--syndicate"), QStringLiteral("1")},
            {QStringLiteral("export"), QStringLiteral("--csv")},
            {QStringLiteral("prizes"), QStringLiteral("--all")},
            {QStringLiteral("ledger"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--csv")},
        };
        for (const QStringList &command : reading) {
            const Run r = run(command);
            QVERIFY2(r.code == 0, qPrintable(command.join(QLatin1Char(' ')) + QStringLiteral(": ") + r.err));
        }
        QVERIFY(run({QStringLiteral("syndicates")}).out.contains(QStringLiteral("LOS DEL BAR")));
        // Printing goes to a PDF elsewhere.
        QTemporaryDir out;
        QFile::setPermissions(out.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
        const QString pdf = out.filePath(QStringLiteral("boletos.pdf"));
        QCOMPARE(run({QStringLiteral("print"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--plain"),
                      QStringLiteral("--pdf"), pdf})
                     .code,
                 0);
        QVERIFY(Fixtures::readFile(pdf).startsWith("%PDF"));
        const QList<QStringList> writing = {
            {QStringLiteral("delete-draws"), QStringLiteral("--yes-draws"), QStringLiteral("--yes-reset")},
            {QStringLiteral("delete-syndicate"), QStringLiteral("1"), QStringLiteral("--yes")},
            {QStringLiteral("create"), QStringLiteral("--name"), QStringLiteral("OTRA"), QStringLiteral("--key"), QStringLiteral("3"),
             QStringLiteral("--bet"), QStringLiteral("1,2,3,4,5")},
            {QStringLiteral("members"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--add"),
             QStringLiteral("ANA"), QStringLiteral("--shares"), QStringLiteral("1")},
            {QStringLiteral("update")},
        };
        for (const QStringList &command : writing) {
            const Run r = run(command);
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.contains(QStringLiteral("Sólo lectura")) && r.err.contains(why), qPrintable(r.err));
        }
        QCOMPARE(Fixtures::readFile(QDir(dir).filePath(QStringLiteral("numeros.dat"))), draws);
        QCOMPARE(Fixtures::readFile(QDir(dir).filePath(QStringLiteral("apuestas.dat"))), syndicates);
    }

    static void writeData(const QString &dir)
    {
        Fixtures::writeFile(QDir(dir).filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws()));
        Fixtures::writeFile(QDir(dir).filePath(QStringLiteral("apuestas.dat")),
                            Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("LOS DEL BAR"), {{7, 8, 11, 31, 35}}, 1,
                                                                         QDate(2025, 1, 5))}));
    }

private slots:
    void readOnlyFileSystem()
    {
        SmallDisk disk(1024);
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        writeData(disk.path());
        QVERIFY(disk.makeReadOnly());
        checkReadOnly(disk.path(), {}, QStringLiteral("es de sólo lectura"));
    }

    // Root may write anywhere: the folder of another user is tried as nobody.
    void folderOfAnotherUser()
    {
        if (geteuid() != 0)
            QSKIP("needs root to run the program as another user");
        const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
        const QStringList asNobody = {runuser, QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")};
        if (runuser.isEmpty() || QProcess::execute(runuser, asNobody.mid(1) + QStringList {QStringLiteral("test"), QStringLiteral("-x"), QStringLiteral(QUORVALE_CLI)}) != 0)
            QSKIP("the program cannot be run as an unprivileged user here");
        QTemporaryDir dir;
        writeData(dir.path());
        // Readable by all, writable by root alone.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
        checkReadOnly(dir.path(), asNobody, QStringLiteral("el usuario nobody no tiene permiso"));
    }

    // Usage errors are told apart and leave the directory as it was: not
    // even the empty data files a first start makes. A bad value is one too,
    // whichever command it belongs to.
    void refusedCommandLinesTouchNothing()
    {
        QTemporaryDir dir;
        const QString data = dir.path();
        const QList<QStringList> calls = {
            {"frobnicate"},
            {"status", "extra"},
            {"--colour", "status"},
            {"delete-draw"},
            {"--today", "ayer", "status"},
            {},
            {"delete-draw", "abc", "--yes"},
            {"delete-syndicate", "0", "--yes"},
            {"export"},
            {"ledger", "--syndicate", "x", "--json"},
            {"ledger", "--syndicate", "1", "--json", "--csv"},
            {"prizes", "--date", "xx"},
            {"prizes", "--date", "2026-11-29", "--all"},
            {"create", "--name", "A", "--key", "12", "--bet", "1,2,3,4,5"},
            {"create", "--name", "A", "--key", "1"},
            {"create", "--name", "A", "--key", "1", "--bet", "1,2,3,4,55"},
            {"print", "--syndicate", "1", "--pdf", "x.pdf"},
            {"print", "--syndicate", "uno", "--plain", "--pdf", "x.pdf"},
        };
        for (const QStringList &call : calls) {
            const Run run = runCli(QStringList {QStringLiteral("--data-dir"), data} + call);
            QVERIFY2(run.code == 2, qPrintable(call.join(QLatin1Char(' '))));
            QVERIFY2(run.err.contains(QStringLiteral("quorvale-cli --help")), qPrintable(run.err));
        }
        QVERIFY(QDir(data).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());

        // An empty --data-dir used to fall back silently to another directory.
        const Run empty = runCli({QStringLiteral("--data-dir"), QString(), QStringLiteral("status")});
        QCOMPARE(empty.code, 2);
        QVERIFY(empty.err.contains(QStringLiteral("--data-dir")));

        // Failures always say why.
        const Run noSyndicate = runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-syndicate"),
                                        QStringLiteral("9"), QStringLiteral("--yes")});
        QCOMPARE(noSyndicate.code, 1);
        QVERIFY(noSyndicate.err.contains(QStringLiteral("No existe la peña 9")));
        const Run noDraw = runCli({QStringLiteral("--data-dir"), data, QStringLiteral("delete-draw"),
                                   QStringLiteral("5000"), QStringLiteral("--yes")});
        QCOMPARE(noDraw.code, 1);
        QVERIFY(noDraw.err.contains(QStringLiteral("No existe el sorteo 5000")));
    }

    void busyDirectory()
    {
        QTemporaryDir dir;
        DataDirLock held(dir.path());
        QCOMPARE(held.acquire(0), DataDirLock::Result::Acquired);
        // A second owner in this very process is refused too.
        DataDirLock second(dir.path());
        QCOMPARE(second.acquire(0), DataDirLock::Result::Busy);

        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("create"),
                                QStringLiteral("--name"), QStringLiteral("X"), QStringLiteral("--key"),
                                QStringLiteral("1"), QStringLiteral("--bet"), QStringLiteral("1,2,3,4,5")});
        QCOMPARE(run.code, 4);
        QVERIFY(run.err.contains(QStringLiteral("Quorvale ya está abierto")));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("apuestas.dat"))));

        // The owner goes away without unlocking (a crash): the next one takes over.
        held.release();
        Fixtures::writeFile(dir.filePath(QString::fromLatin1(DataDirLock::kFileName)), "999999999\nQuorvale\n\n");
        QCOMPARE(runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("status")}).code, 0);
    }

    // The lock: a lock file with no owner's id (an owner killed between
    // making it and writing its id, or garbage) is taken over, by the window
    // (which does not wait for a live owner) and by a command, once it is a
    // few seconds old; a fresh one is waited for.
    void ownerlessLockTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        QTest::newRow("empty") << QByteArray() << 60;
        QTest::newRow("garbage") << QByteArray("\x01zz\n") << 3600;
        QTest::newRow("empty, just made") << QByteArray() << 0;
    }

    void ownerlessLockTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        QTemporaryDir dir;
        const QString lockFile = dir.filePath(QString::fromLatin1(DataDirLock::kFileName));
        const auto plant = [&] {
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        };
        plant();
        {
            DataDirLock window(dir.path());
            QCOMPARE(window.acquire(0), DataDirLock::Result::Acquired);
        }
        plant();
        const Run run = runCli({QStringLiteral("--data-dir"), dir.path(), QStringLiteral("status")});
        QVERIFY2(run.code == 0, qPrintable(run.err));
    }

    // A --data-dir whose bytes are no text in this locale is refused by name
    // (exit 2) by both programs; no directory of another name appears.
    void undecodableDataDirRefused_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("quorvale-cli") << QStringLiteral(QUORVALE_CLI);
        QTest::newRow("quorvale") << QStringLiteral(QUORVALE_WINDOW);
    }

    void undecodableDataDirRefused()
    {
        QFETCH(QString, program);
        QTemporaryDir parent;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        // The byte 0xE9 (an "é" in Latin-1) goes to the program as it is.
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec \"$0\" --data-dir \"$1$(printf '\\351')\" status"), program, parent.filePath(QStringLiteral("datos"))});
        QVERIFY(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), 2);
        QVERIFY2(err.contains(QStringLiteral("datos\\xE9")) && err.contains(QStringLiteral("(\\xE9)")), qPrintable(err));
        QVERIFY(QDir(parent.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
    }

    // Creations beside deletions: every peña a create reported is there,
    // every deletion reported took exactly one of the first peñas, and a
    // command that found the directory busy changed nothing.
    void concurrentWritersKeepWhatTheyReport()
    {
        QTemporaryDir dir;
        const QString data = dir.path();
        const QString file = dir.filePath(QStringLiteral("apuestas.dat"));
        std::vector<SyndicateRecord> first;
        for (int i = 1; i <= 20; ++i)
            first.push_back(Fixtures::simpleSyndicate(QStringLiteral("OLD%1").arg(i), {{1, 2, 3, 4, 5}}, 1, QDate(2026, 1, 1)));
        QVERIFY(Fixtures::writeFile(file, Fixtures::bytesOf(first)));

        std::vector<std::unique_ptr<QProcess>> creates, deletes;
        for (int i = 0; i < 60; ++i) {
            auto process = std::make_unique<QProcess>();
            if (i % 3 == 2) {
                process->start(QStringLiteral(QUORVALE_CLI), {QStringLiteral("--data-dir"), data, QStringLiteral("delete-syndicate"), QStringLiteral("1"), QStringLiteral("--yes")});
                deletes.push_back(std::move(process));
            } else {
                process->start(QStringLiteral(QUORVALE_CLI),
                               {QStringLiteral("--data-dir"), data, QStringLiteral("create"), QStringLiteral("--name"),
                                QStringLiteral("NEW%1").arg(i), QStringLiteral("--key"), QStringLiteral("3"),
                                QStringLiteral("--bet"), QStringLiteral("6,7,8,9,10")});
                process->setObjectName(QStringLiteral("NEW%1").arg(i));
                creates.push_back(std::move(process));
            }
        }
        QStringList created;
        int deleted = 0;
        for (auto &p : creates) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitCode() == 0 || p->exitCode() == 4, p->readAllStandardError().constData());
            if (p->exitCode() == 0)
                created << p->objectName();
        }
        for (auto &p : deletes) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitCode() == 0 || p->exitCode() == 4, p->readAllStandardError().constData());
            deleted += p->exitCode() == 0 ? 1 : 0;
        }
        const QStringList names = namesIn(file);
        QStringList expectedOld;
        for (int i = deleted + 1; i <= 20; ++i)
            expectedOld << QStringLiteral("OLD%1").arg(i);
        QCOMPARE(names.mid(0, expectedOld.size()), expectedOld);
        const QStringList newOnes = names.mid(expectedOld.size());
        QCOMPARE(std::set<QString>(newOnes.begin(), newOnes.end()), std::set<QString>(created.begin(), created.end()));
        QCOMPARE(newOnes.size(), created.size());
        QVERIFY(created.size() + deleted > 0);
    }

    void portableOrPerUser()
    {
        QVERIFY(!isPortableDir(QStringLiteral("/usr/bin")));
        QVERIFY(!isPortableDir(QStringLiteral("/opt")));
        QTemporaryDir own;
        QVERIFY(isPortableDir(own.path()));

        // The per-user directory is named once; what earlier versions kept
        // under Quorvale/Quorvale moves there whole.
        QTemporaryDir home;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("Quorvale/Quorvale"))));
        QVERIFY(Fixtures::writeFile(home.filePath(QStringLiteral("Quorvale/Quorvale/apuestas.dat")), "x"));
        const QString dir = resolveDataDir(QString(), QStringLiteral("/usr/bin"));
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(dir, home.filePath(QStringLiteral("quorvale/")));
        QCOMPARE(Fixtures::readFile(dir + QStringLiteral("apuestas.dat")), QByteArray("x"));
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("Quorvale"))));
    }

    // The guide the Help menu opens sits beside bin/, in a package as in the
    // build tree; a missing one gives no address rather than a dead one.
    void installedGuideBesideBin()
    {
        QTemporaryDir prefix;
        QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        QVERIFY(installedGuide(bin).isEmpty());
        QVERIFY(QDir().mkpath(prefix.filePath(QStringLiteral("share/doc/quorvale"))));
        const QString guide = prefix.filePath(QStringLiteral("share/doc/quorvale/guia.html"));
        QVERIFY(Fixtures::writeFile(guide, "<html></html>"));
        QCOMPARE(installedGuide(bin), QUrl::fromLocalFile(guide));
    }
};

QTEST_GUILESS_MAIN(TestDataDirCli)
#include "tst_datadir_cli.moc"
