// The files a user names for output and standard output, through the real
// quorvale-cli: never a file of the data directory or anything but a
// regular file, an existing one only with --yes, and no output lost without
// a word (a full disk, /dev/full, a reader that went away).

#include "support/fixtures.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace
{
    struct Run
    {
        int code = -1;
        QByteArray err;
    };

    QStringList withData(const QString &dataDir, const QStringList &arguments)
    {
        return QStringList {QStringLiteral("--data-dir"), dataDir, QStringLiteral("--today"), QStringLiteral("2026-08-20")}
        + arguments;
    }

    // Standard output goes to stdoutFile, or is dropped.
    Run runCli(const QString &dataDir, const QStringList &arguments, const QString &stdoutFile = QStringLiteral("/dev/null"))
    {
        QProcess process;
        process.setStandardOutputFile(stdoutFile);
        process.start(QStringLiteral(QUORVALE_CLI), withData(dataDir, arguments));
        Run run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
            run.code = process.exitCode();
        run.err = process.readAllStandardError();
        return run;
    }

    bool isFifo(const QString &path)
    {
        struct stat info
        {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
    }
}

class TestOutputsCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_data;
    QByteArray m_draws;

    QString dataFile(const char *name) const { return m_data.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        m_draws = Fixtures::bytesOf(Fixtures::realDraws());
        QVERIFY(Fixtures::writeFile(dataFile("numeros.dat"), m_draws));
        QVERIFY(Fixtures::writeFile(dataFile("apuestas.dat"),
                                    Fixtures::bytesOf({Fixtures::simpleSyndicate(QStringLiteral("BAR"), {{7, 8, 11, 20, 21}}, 1,
                                                                                 QDate(2026, 8, 1))})));
    }

    void outputPaths_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("message"); // empty: written
        QTest::newRow("print onto numeros.dat") << "print"
                                                << "numeros.dat" << false << "directorio de datos";
        QTest::newRow("print onto numeros.dat, --yes") << "print"
                                                       << "numeros.dat" << true << "directorio de datos";
        QTest::newRow("print through a link to numeros.dat") << "print"
                                                             << "link" << true << "un enlace a";
        QTest::newRow("print into a fifo") << "print"
                                           << "fifo" << true << "es una tubería (FIFO)";
        QTest::newRow("print over a file") << "print"
                                           << "existing" << false << "repita la orden con --yes";
        QTest::newRow("print over a file, --yes") << "print"
                                                  << "existing" << true << "";
        QTest::newRow("participation onto numeros.dat") << "participation"
                                                        << "numeros.dat" << true << "directorio de datos";
        QTest::newRow("participation over a file") << "participation"
                                                   << "existing" << false << "repita la orden con --yes";
        QTest::newRow("participation over a file, --yes") << "participation"
                                                          << "existing" << true << "";
    }
    void outputPaths()
    {
        QFETCH(QString, command);
        QFETCH(QString, target);
        QFETCH(bool, yes);
        QFETCH(QString, message);
        QTemporaryDir elsewhere;
        QString pdf = elsewhere.filePath(QStringLiteral("salida.pdf"));
        if (target == QLatin1String("numeros.dat"))
            pdf = dataFile("numeros.dat");
        else if (target == QLatin1String("link"))
            QVERIFY(QFile::link(dataFile("numeros.dat"), pdf));
        else if (target == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(pdf).constData(), 0600), 0);
        else
            QVERIFY(Fixtures::writeFile(pdf, "old"));

        QStringList arguments = {command, QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--pdf"), pdf};
        if (command == QLatin1String("print"))
            arguments << QStringLiteral("--plain");
        if (yes)
            arguments << QStringLiteral("--yes");
        const Run run = runCli(m_data.path(), arguments);
        QCOMPARE(Fixtures::readFile(dataFile("numeros.dat")), m_draws);
        if (message.isEmpty()) {
            QCOMPARE(run.code, 0);
            QVERIFY(Fixtures::readFile(pdf).startsWith("%PDF"));
            return;
        }
        QCOMPARE(run.code, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        if (target == QLatin1String("fifo"))
            QVERIFY(isFifo(pdf));
        if (target == QLatin1String("existing"))
            QCOMPARE(Fixtures::readFile(pdf), QByteArray("old"));
    }

    // A full disk is named as such, and the old file stays whole.
    void participationOnAFullDisk()
    {
        SmallDisk disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        const QString pdf = disk.filePath(QStringLiteral("participaciones.pdf"));
        QVERIFY(Fixtures::writeFile(pdf, "old"));
        disk.fill();
        const Run run = runCli(m_data.path(), {QStringLiteral("participation"), QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--pdf"), pdf, QStringLiteral("--yes")});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("No queda espacio en el disco"), run.err.constData());
        QCOMPARE(Fixtures::readFile(pdf), QByteArray("old"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("participaciones.pdf"), QStringLiteral("relleno")}));
    }

    // Standard output that cannot take it all: exit 1 and a message, never
    // a silent half of a backup.
    void standardOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("closedPipe");
        QTest::addColumn<QString>("cause");
        const QString full = QStringLiteral("no queda espacio en el disco");
        QTest::newRow("export --csv to /dev/full") << QStringList {"export", "--csv"} << false << full;
        QTest::newRow("draws --json to /dev/full") << QStringList {"draws", "--json"} << false << full;
        QTest::newRow("check --json to /dev/full") << QStringList {"check", "--json", "--draws", "3"} << false << full;
        QTest::newRow("status to /dev/full") << QStringList {"status"} << false << full;
        QTest::newRow("draws --json into a closed pipe")
            << QStringList {"draws", "--json"} << true << QStringLiteral("el programa que la recibía la ha cerrado");
    }
    void standardOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, closedPipe);
        QFETCH(QString, cause);
        Run run;
        if (closedPipe) {
            // The reader ends without reading; the history is far more than
            // a pipe holds, so the program meets the closed end.
            QProcess shell;
            shell.start(QStringLiteral("bash"), QStringList {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$@\" | true; exit ${PIPESTATUS[0]}"), QStringLiteral(QUORVALE_CLI)} + withData(m_data.path(), arguments));
            if (!shell.waitForStarted())
                QSKIP("bash is not available");
            QVERIFY(shell.waitForFinished(60000));
            run.code = shell.exitCode();
            run.err = shell.readAllStandardError();
        } else {
            run = runCli(m_data.path(), arguments, QStringLiteral("/dev/full"));
        }
        QCOMPARE(run.code, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(QStringLiteral("No se pudo escribir la salida: ") + cause), run.err.constData());
        // The same command with somewhere to write succeeds.
        QCOMPARE(runCli(m_data.path(), arguments).code, 0);
    }
};

QTEST_GUILESS_MAIN(TestOutputsCli)
#include "tst_outputs_cli.moc"
