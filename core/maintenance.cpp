#include "maintenance.h"

#include "base/calendar.h"
#include "base/clock.h"
#include "base/prompter.h"
#include "session.h"
#include "base/urlopener.h"
#include "drawentry.h"
#include "store/drawfilecheck.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "dataaccess.h"

#include <QFileInfo>

#include <algorithm>

const QString Maintenance::kDrawWorkFile = QStringLiteral("numeros.tmp");
const QString Maintenance::kDrawBackup = QStringLiteral("numeros.bak");

namespace
{
    const QString kOops = QStringLiteral("¡Vaya hombre!");
    const QString kNotADrawFile = QStringLiteral(
        "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Quorvale.");
    const QString kDeleteTitle = QStringLiteral("Borrar...");

    // The error numbers the import has always reported.
    constexpr int kErrorFileNotFound = 53;
    constexpr int kErrorDiskFull = 61;
    constexpr int kErrorPermission = 70;
    constexpr int kErrorFileAccess = 75;

    int errorNumber(FileOps::Result result)
    {
        switch (result) {
        case FileOps::Result::PermissionDenied:
            return kErrorPermission;
        case FileOps::Result::DiskFull:
            return kErrorDiskFull;
        default:
            return kErrorFileAccess;
        }
    }
}

Maintenance::Maintenance(Session &session, FileOps &files, UrlOpener &browser)
    : m_session(session)
    , m_files(files)
    , m_browser(browser)
{
}

void Maintenance::showPermissionError(const QString &path)
{
    m_session.prompter().warn(QStringLiteral("Error de permiso"), permissionErrorText(path));
}

bool Maintenance::reportFailure(FileOps::Result result, const QString &path)
{
    if (result == FileOps::Result::Ok)
        return false;
    if (result == FileOps::Result::PermissionDenied)
        showPermissionError(path);
    else
        m_session.prompter().warn(kOops, fileErrorText(result, path));
    return true;
}

FileOps::Result Maintenance::replaceThroughWorkFile(const QString &work, const QString &target, const QByteArray &bytes)
{
    // Never through a link or a file planted under the work file's name.
    FileOps::Result result = m_files.createWorkFile(work, bytes);
    if (result == FileOps::Result::Ok)
        result = m_files.replace(work, target);
    if (result != FileOps::Result::Ok)
        m_files.remove(work); // never left behind half-used
    return result;
}

bool Maintenance::importDraws(const QString &chosenPath)
{
    Prompter &prompter = m_session.prompter();
    if (chosenPath.isEmpty()) {
        // The complete history ships with the program: no shop to send anyone to.
        prompter.inform(QStringLiteral("Quorvale"),
                        QStringLiteral("No se ha seleccionado ningún archivo. Recuerde que TODOS LOS SORTEOS DESDE LA "
                                       "CREACIÓN DEL GORDO DE LA PRIMITIVA vienen con Quorvale: pulse otra vez "
                                       "\"Añadir todos los sorteos\" y elija el archivo numeros.dat de la carpeta "
                                       "que se abre."));
        return false;
    }

    const QString drawPath = m_session.dataPath(Session::kDrawFile);
    const QFileInfo chosen(chosenPath);
    if (chosen.exists() && chosen.canonicalFilePath() == QFileInfo(drawPath).canonicalFilePath()) {
        prompter.warn(kOops, QStringLiteral("Ese archivo ya es el fichero de sorteos de Quorvale: no hay nada que importar."));
        return false;
    }

    QByteArray bytes;
    if (!m_files.read(chosenPath, &bytes)) {
        prompter.warn(kOops, kNotADrawFile + QStringLiteral(" Error %1").arg(kErrorFileNotFound));
        return false;
    }
    // A draw file replaces ours; draws in text (the service's answer, a CSV)
    // are added to ours.
    if (!isImportableDrawFile(bytes)) {
        DrawEntry entry(m_session, m_files);
        switch (DrawEntry::kindOf(bytes)) {
        case DrawEntry::TextKind::ServiceAnswer:
            return entry.addServiceAnswer(bytes).done;
        case DrawEntry::TextKind::Csv:
            return entry.addCsv(bytes).done;
        case DrawEntry::TextKind::Other:
            break;
        }
        prompter.warn(kOops, kNotADrawFile);
        return false;
    }

    // The backup is the old file byte for byte, or nothing is done: an
    // unreadable numeros.dat must not turn numeros.bak into an empty file.
    QByteArray current;
    if (const FileOps::Result read = m_files.readFile(drawPath, &current, true); read != FileOps::Result::Ok) {
        prompter.warn(kOops, fileErrorText(read, drawPath));
        return false;
    }
    const QString backupPath = m_session.dataDir() + kDrawBackup;
    QString failed = backupPath;
    FileOps::Result result = m_files.write(backupPath, current);
    if (result == FileOps::Result::Ok) {
        failed = drawPath;
        result = m_files.write(drawPath, bytes);
    }
    if (result != FileOps::Result::Ok) {
        // Stopped at the first failure: numeros.dat is still the old file.
        prompter.warn(kOops, kNotADrawFile + QStringLiteral(" Error %1").arg(errorNumber(result)) + QLatin1Char('\n')
                                 + fileErrorText(result, failed));
        return false;
    }

    m_session.draws().file().open(drawPath);
    prompter.inform(QStringLiteral("Todos los sorteos"), QStringLiteral("Archivo de sorteos importado con éxito"));
    m_session.updateStatus();
    m_session.refreshDraws();
    return true;
}

bool Maintenance::deleteAllDraws()
{
    m_drawDeleteMode = true;
    Prompter &prompter = m_session.prompter();
    bool backedUp = false;

    if (prompter.ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres borrar todos los sorteos?"))) {
        const QString drawPath = m_session.dataPath(Session::kDrawFile);
        if (!m_session.checkWritable(m_session.draws().file()))
            return false;
        // Without draws the peñas' counters go to zero: their file is kept too.
        if (!backUpSyndicates())
            return false;
        backedUp = true;
        // The draws are kept as numeros.bak first: a question answered by
        // mistake must not cost the history. Nothing is emptied unless the
        // copy is whole.
        const QString backup = m_session.dataDir() + kDrawBackup;
        const QByteArray current = m_session.draws().bytes();
        if (!current.isEmpty() && reportFailure(m_files.write(backup, current), backup))
            return false;
        if (reportFailure(m_files.write(drawPath, QByteArray()), drawPath))
            return false;
        m_session.draws().file().open(drawPath);
        m_session.updateStatus();
        m_session.refreshDraws();
    }

    // The reset costs every peña its history: said plainly, with No first.
    if (prompter.ask(kDeleteTitle,
                     QStringLiteral("¿Quiere borrar también los aciertos de las peñas?. Si contesta Sí, las peñas "
                                    "contarán sólo a partir de hoy: perderán los sorteos jugados y el dinero de los "
                                    "sorteos anteriores, aunque vuelva a añadir los sorteos. Antes se guarda una copia "
                                    "de las peñas en %1 y de los socios en %2.")
                         .arg(QLatin1String(kSyndicateBackup), QLatin1String(kMemberBackup)))) {
        // A file that could not be read would be "reset" into an empty one.
        if (!m_session.checkWritable(m_session.syndicates().file()))
            return false;
        if (!backedUp && !backUpSyndicates())
            return false;
        const double today = OleDate::fromDate(m_session.clock().today());
        const QByteArray old = m_session.syndicates().file().readAllRecords();
        QByteArray reset;
        reset.reserve(old.size());
        for (qsizetype at = 0; at < old.size(); at += SyndicateRecord::kSize) {
            SyndicateRecord s = SyndicateRecord::fromBytes(old.sliced(at, SyndicateRecord::kSize));
            s.prizeCounts.fill(0);
            s.lastCountedDate = 0;
            s.createdOn = today;
            reset += s.toBytes();
        }
        const QString path = m_session.dataPath(Session::kSyndicateFile);
        if (reportFailure(m_files.write(path, reset), path))
            return false;
        m_session.syndicates().file().open(path);
        m_session.updateStatus();
    }
    return true;
}

bool Maintenance::backUpSyndicates()
{
    // The peñas as they are now, and their members, byte for byte; a file
    // not there yet has nothing to keep.
    const std::pair<QString, QString> copies[] = {
        {m_session.dataPath(Session::kSyndicateFile), m_session.dataDir() + QLatin1String(kSyndicateBackup)},
        {m_session.dataPath(MemberFile::kFileName), m_session.dataDir() + QLatin1String(kMemberBackup)},
    };
    for (const auto &[from, to] : copies) {
        if (!QFileInfo::exists(from))
            continue;
        QByteArray bytes;
        if (reportFailure(m_files.readFile(from, &bytes, true), from) || reportFailure(m_files.write(to, bytes), to))
            return false;
    }
    return true;
}

bool Maintenance::deleteDraw(int position)
{
    if (position < 1 || position > m_session.storedDraws())
        return false;
    const int k = m_session.nextDrawRecord() - position;
    // A draw that cannot be real may go at once, without "delete all" first.
    const auto &implausible = m_session.implausibleDrawRecords();
    if (!m_drawDeleteMode && std::find(implausible.begin(), implausible.end(), k) == implausible.end())
        return false;
    if (!m_session.prompter().ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar este sorteo?")))
        return false;
    return removeDraw(position);
}

bool Maintenance::deleteNamedDraw(int position)
{
    if (position < 1 || position > m_session.storedDraws())
        return false;
    const DrawRecord draw = m_session.draws().file().get(m_session.nextDrawRecord() - position);
    if (!m_session.prompter().ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar el sorteo del %1?")
                                                    .arg(longSpanishDate(draw.qdate()))))
        return false;
    return removeDraw(position);
}

bool Maintenance::removeDraw(int position)
{
    const int k = m_session.nextDrawRecord() - position;
    if (!m_session.checkWritable(m_session.draws().file()))
        return false;

    const QByteArray old = m_session.draws().bytes();
    QByteArray kept = old.left((k - 1) * DrawRecord::kSize) + old.mid(k * DrawRecord::kSize);

    const QString drawPath = m_session.dataPath(Session::kDrawFile);
    if (reportFailure(replaceThroughWorkFile(m_session.dataDir() + kDrawWorkFile, drawPath, kept), drawPath))
        return false;
    m_session.draws().file().open(drawPath);
    m_session.updateStatus();
    // The list and its tallies follow the file at once.
    m_session.loadDrawList();
    return true;
}

bool Maintenance::deleteSyndicate(int record)
{
    if (!m_session.checkSyndicateChosen(record))
        return false;
    Prompter &prompter = m_session.prompter();
    if (!m_session.checkWritable(m_session.syndicates().file()))
        return false;
    const QByteArray old = m_session.syndicates().file().readAllRecords();
    const qint64 count = old.size() / SyndicateRecord::kSize;
    if (record < 1 || record > count)
        return false;
    const SyndicateRecord doomed = SyndicateRecord::fromBytes(old.sliced((record - 1) * SyndicateRecord::kSize, SyndicateRecord::kSize));
    if (!prompter.ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar la Peña %1?").arg(doomed.name())))
        return false;

    const QByteArray kept = old.left((record - 1) * SyndicateRecord::kSize) + old.mid(record * SyndicateRecord::kSize);
    const QString path = m_session.dataPath(Session::kSyndicateFile);
    if (reportFailure(replaceThroughWorkFile(m_session.dataPath(Session::kSyndicateWorkFile), path, kept), path))
        return false;
    m_session.syndicates().file().open(path);

    // Its members go with it; the later twins of an identical peña move up.
    std::vector<SyndicateRecord> before;
    for (qint64 r = 0; r < count; ++r)
        before.push_back(SyndicateRecord::fromBytes(old.sliced(r * SyndicateRecord::kSize, SyndicateRecord::kSize)));
    MemberFile &members = m_session.memberFile();
    const MemberFile::Key key = MemberFile::keysOf(before)[std::size_t(record - 1)];
    if (members.syndicateDeleted(key)) {
        if (const FileOps::Result saved = members.save(); saved != FileOps::Result::Ok)
            prompter.warn(kDeleteTitle, fileErrorText(saved, members.path()));
    }
    m_session.updateStatus();
    return true;
}
