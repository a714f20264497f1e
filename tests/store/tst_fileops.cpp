// The one write path of the data files on a real disk: a full file system,
// symbolic links, a pipe in a data file's place, and appends of whole
// records that are rolled back when the disk refuses. Then the files a user
// names for output: where they may go and what they may be.

#include "store/drawrecord.h"
#include "store/fileops.h"
#include "store/outputfile.h"
#include "store/recordfile.h"
#include "support/fixtures.h"
#include "support/smalldisk.h"
#include "web/resultsparser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class TestFileOps : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldFile()
    {
        SmallDisk disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        const QString path = disk.filePath(QStringLiteral("numeros.dat"));
        const QByteArray old(240, '\1');
        QVERIFY(Fixtures::writeFile(path, old));
        disk.fill();

        DiskFileOps files;
        QCOMPARE(files.write(path, QByteArray(8000, '\2')), FileOps::Result::DiskFull);
        QCOMPARE(Fixtures::readFile(path), old);
        QCOMPARE(files.createWorkFile(disk.filePath(QStringLiteral("numeros.tmp")), QByteArray(8000, '\2')),
                 FileOps::Result::DiskFull);
        // Nothing half-written is left behind, under any name.
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({QStringLiteral("numeros.dat"), QStringLiteral("relleno")}));
        QVERIFY(fileErrorText(FileOps::Result::DiskFull, path).startsWith(QStringLiteral("No queda espacio en el disco")));
    }

    void appendLandsWholeRecordsOrNone()
    {
        SmallDisk disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        const QString path = disk.filePath(QStringLiteral("numeros.dat"));
        const QByteArray old = Fixtures::bytesOf({Fixtures::draw(QDate(2026, 1, 4), {1, 2, 3, 4, 5}, 0)});
        QVERIFY(Fixtures::writeFile(path, old));
        TypedRecordFile<DrawRecord> file;
        QVERIFY(file.open(path));
        disk.fill();

        // More than the one page the file already holds.
        QByteArray many;
        for (int i = 0; i < 400; ++i)
            many += Fixtures::draw(QDate(2026, 1, 11).addDays(7 * i), {1, 2, 3, 4, 5}, 0).toBytes();
        QVERIFY(!file.append(many));
        QCOMPARE(file.lastError(), FileOps::Result::DiskFull);
        QCOMPARE(Fixtures::readFile(path), old);
        QCOMPARE(file.count(), 1);
    }

    // The download's store: every new draw or none, never half a record.
    void downloadedDrawsOnAFullDisk()
    {
        SmallDisk disk;
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        const QString path = disk.filePath(QStringLiteral("numeros.dat"));
        const QByteArray old = QByteArray(4080, '\0'); // 170 records, most of a page
        QVERIFY(Fixtures::writeFile(path, old));
        TypedRecordFile<DrawRecord> file;
        QVERIFY(file.open(path));
        disk.fill();
        std::vector<DrawRecord> fresh;
        for (int i = 0; i < 3; ++i)
            fresh.push_back(Fixtures::draw(QDate(2026, 1, 4).addDays(7 * i), {1, 2, 3, 4, 5}, 0));
        QCOMPARE(storeNewDraws(file, fresh), 0);
        QCOMPARE(file.lastError(), FileOps::Result::DiskFull);
        QCOMPARE(Fixtures::readFile(path), old);
    }

    void appendRefusesWhatIsNotWholeRecords()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("numeros.dat"));
        const QByteArray record = Fixtures::draw(QDate(2026, 1, 4), {1, 2, 3, 4, 5}, 0).toBytes();
        QVERIFY(Fixtures::writeFile(path, record + "tail"));
        RecordFile file(DrawRecord::kSize);
        QVERIFY(file.open(path));
        QVERIFY(!file.append(record)); // the tail is never written over
        QCOMPARE(file.partialTail(), QByteArray("tail"));
        QVERIFY(file.dropPartialTail());
        QVERIFY(!file.append(record.left(10)));
        QVERIFY(file.append(record + record));
        QCOMPARE(Fixtures::readFile(path), record.repeated(3));
    }

    // A data file that is a link stays one; its target gets the new
    // content. A work file never follows a link planted under its name.
    void linksAndWorkFiles()
    {
        QTemporaryDir data;
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("real.dat"));
        const QString link = data.filePath(QStringLiteral("numeros.dat"));
        QVERIFY(Fixtures::writeFile(target, "old"));
        QVERIFY(QFile::link(target, link));
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);

        DiskFileOps files;
        QCOMPARE(files.write(link, "new"), FileOps::Result::Ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Fixtures::readFile(target), QByteArray("new"));
        QCOMPARE(QFileInfo(target).permissions() & QFileDevice::ReadGroup, QFileDevice::ReadGroup);
        QCOMPARE(QFileInfo(target).permissions() & QFileDevice::ReadOther, QFileDevice::Permissions {});

        const QString victim = elsewhere.filePath(QStringLiteral("victim"));
        const QString work = data.filePath(QStringLiteral("numeros.tmp"));
        QVERIFY(Fixtures::writeFile(victim, "precious"));
        QVERIFY(QFile::link(victim, work));
        QCOMPARE(files.createWorkFile(work, "work"), FileOps::Result::Ok);
        QCOMPARE(Fixtures::readFile(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(work).isSymLink());

        QCOMPARE(files.replace(work, link), FileOps::Result::Ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Fixtures::readFile(target), QByteArray("work"));
        QVERIFY(!QFileInfo::exists(work));
    }

    void pipesAreNeitherReadNorReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("apuestas.dat"));
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        DiskFileOps files;
        QByteArray bytes;
        QCOMPARE(files.readFile(path, &bytes), FileOps::Result::NotRegular);
        QCOMPARE(files.write(path, "x"), FileOps::Result::NotRegular);
        QVERIFY(QFileInfo(path).isFile() == false && QFileInfo::exists(path));
        RecordFile file(645);
        QVERIFY(!file.open(path));
        QCOMPARE(file.openResult(), FileOps::Result::NotRegular);
    }

    // Output paths: what stands at a name the user gives for a PDF or a CSV.
    void outputPaths_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("refusal"); // with the user's agreement to replace; empty: allowed
        using V = OutputFile::Verdict;
        QTest::newRow("new file") << "new" << int(V::New) << "";
        QTest::newRow("existing file") << "existing" << int(V::Existing) << "";
        QTest::newRow("data file by name") << "data file" << int(V::InDataDir) << "dentro del directorio de datos";
        QTest::newRow("new name in the data directory") << "data new" << int(V::InDataDir) << "dentro del directorio de datos";
        QTest::newRow("link to a data file") << "link to data" << int(V::InDataDir) << "un enlace a";
        QTest::newRow("through a linked folder") << "linked folder" << int(V::InDataDir) << "dentro del directorio de datos";
        QTest::newRow("fifo") << "fifo" << int(V::Pipe) << "es una tubería (FIFO)";
        QTest::newRow("device") << "device" << int(V::Device) << "es un dispositivo";
        QTest::newRow("folder") << "folder" << int(V::Folder) << "es una carpeta";
        QTest::newRow("socket") << "socket" << int(V::Socket) << "es un socket";
        QTest::newRow("missing folder") << "missing folder" << int(V::NoFolder) << "no existe la carpeta";
        QTest::newRow("link loop") << "loop" << int(V::Unreachable) << "en bucle";
    }
    void outputPaths()
    {
        QFETCH(QString, setup);
        QFETCH(int, verdict);
        QFETCH(QString, refusal);
        QTemporaryDir data;
        QTemporaryDir elsewhere;
        QVERIFY(Fixtures::writeFile(data.filePath(QStringLiteral("numeros.dat")), "draws"));
        QString path = elsewhere.filePath(QStringLiteral("salida.pdf"));
        int socketFd = -1;
        if (setup == QLatin1String("existing")) {
            QVERIFY(Fixtures::writeFile(path, "old"));
        } else if (setup == QLatin1String("data file")) {
            path = data.filePath(QStringLiteral("numeros.dat"));
        } else if (setup == QLatin1String("data new")) {
            path = data.filePath(QStringLiteral("nuevo.pdf"));
        } else if (setup == QLatin1String("link to data")) {
            QVERIFY(QFile::link(data.filePath(QStringLiteral("numeros.dat")), path));
        } else if (setup == QLatin1String("linked folder")) {
            QVERIFY(QFile::link(data.path(), elsewhere.filePath(QStringLiteral("carpeta"))));
            path = elsewhere.filePath(QStringLiteral("carpeta/nuevo.pdf"));
        } else if (setup == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (setup == QLatin1String("device")) {
            path = QStringLiteral("/dev/null");
        } else if (setup == QLatin1String("folder")) {
            path = elsewhere.path();
        } else if (setup == QLatin1String("socket")) {
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        } else if (setup == QLatin1String("missing folder")) {
            path = elsewhere.filePath(QStringLiteral("no/existe.pdf"));
        } else if (setup == QLatin1String("loop")) {
            QVERIFY(QFile::link(path, path));
        }
        const OutputFile::Check check = OutputFile::check(path, data.path());
        if (socketFd >= 0)
            ::close(socketFd);
        QCOMPARE(int(check.verdict), verdict);
        const QString text = OutputFile::refusal(check, path, true);
        QVERIFY2(refusal.isEmpty() ? text.isEmpty() : text.contains(refusal), qPrintable(text));
        // Without the user's agreement an existing file is refused too.
        QCOMPARE(OutputFile::refusal(check, path, false).isEmpty(), setup == QLatin1String("new"));
    }
};

QTEST_GUILESS_MAIN(TestFileOps)
#include "tst_fileops.moc"
