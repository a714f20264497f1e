#include "maintenance.h"

#include "base/calendar.h"
#include "base/clock.h"
#include "base/prompter.h"
#include "base/urlopener.h"
#include "dataaccess.h"
#include "drawentry.h"
#include "session.h"
#include "store/drawfilecheck.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "store/recordfile.h"

#include <QFileInfo>

#include <algorithm>

const QString Maintenance::kDrawWorkFile = QStringLiteral("numeros.tmp");
const QString Maintenance::kDrawBackup = QStringLiteral("numeros.bak");

namespace
{
    const QString kDeleteTitle = QStringLiteral("Borrar...");
}

Maintenance::Maintenance(Session &session, UrlOpener &browser)
    : Maintenance(session, session.files(), browser)
{
}

Maintenance::Maintenance(Session &session, FileOps &files, UrlOpener &browser)
    : m_session(session)
    , m_files(files)
    , m_browser(browser)
{
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

Outcome Maintenance::importDraws(const QString &chosenPath)
{
    using Cause = Outcome::Cause;
    const auto refused = [](Cause cause) { return Outcome(Outcome::Status::Refused, Outcome::Command::Import, cause); };
    if (chosenPath.isEmpty())
        return Outcome(Outcome::Status::Unchanged, Outcome::Command::Import, Cause::NoFileChosen);

    const QString drawPath = m_session.dataPath(Session::kDrawFile);
    const QFileInfo chosen(chosenPath);
    if (chosen.exists() && chosen.canonicalFilePath() == QFileInfo(drawPath).canonicalFilePath())
        return refused(Cause::AlreadyTheDrawFile);

    QByteArray bytes;
    if (!m_files.read(chosenPath, &bytes))
        return refused(Cause::ImportUnreadable);
    // A draw file replaces ours; draws in text (the service's answer, a CSV)
    // are added to ours.
    if (!isImportableDrawFile(bytes)) {
        DrawEntry entry(m_session, m_files);
        switch (DrawEntry::kindOf(bytes)) {
        case DrawEntry::TextKind::ServiceAnswer:
            return entry.addServiceAnswer(bytes).outcome;
        case DrawEntry::TextKind::Csv:
            return entry.addCsv(bytes).outcome;
        case DrawEntry::TextKind::Other:
            break;
        }
        return refused(Cause::NotADrawFile);
    }

    // The backup is the old file byte for byte, or nothing is done: an
    // unreadable numeros.dat must not turn numeros.bak into an empty file.
    QByteArray current;
    if (const FileOps::Result read = m_files.readFile(drawPath, &current, true); read != FileOps::Result::Ok)
        return Outcome::fileError(Outcome::Command::Import, read, drawPath);
    const QString backupPath = m_session.dataDir() + kDrawBackup;
    QString failed = backupPath;
    FileOps::Result result = m_files.write(backupPath, current);
    if (result == FileOps::Result::Ok) {
        failed = drawPath;
        result = m_files.write(drawPath, bytes);
    }
    if (result != FileOps::Result::Ok) {
        // Stopped at the first failure: numeros.dat is still the old file.
        Outcome outcome = Outcome::fileStep(Outcome::Command::Import, result, failed);
        outcome.cause = Cause::ImportWriteFailed;
        return outcome;
    }

    m_session.draws().file().open(drawPath);
    m_session.updateStatus();
    m_session.refreshDraws();
    return Outcome::done(Outcome::Command::Import);
}

Outcome Maintenance::deleteAllDraws()
{
    m_drawDeleteMode = true;
    Prompter &prompter = m_session.prompter();
    constexpr auto kCommand = Outcome::Command::DeleteDraws;
    bool backedUp = false;
    bool anyYes = false;

    if (prompter.ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres borrar todos los sorteos?"))) {
        anyYes = true;
        const QString drawPath = m_session.dataPath(Session::kDrawFile);
        if (Outcome check = m_session.writeCheck(m_session.draws().file(), kCommand); !check.isDone())
            return check;
        // Without draws the peñas' counters go to zero: their file is kept too.
        if (Outcome copied = backUpSyndicates(kCommand); !copied.isDone())
            return copied;
        backedUp = true;
        // The draws are kept as numeros.bak first: a question answered by
        // mistake must not cost the history. Nothing is emptied unless the
        // copy is whole.
        const QString backup = m_session.dataDir() + kDrawBackup;
        const QByteArray current = m_session.draws().bytes();
        if (!current.isEmpty()) {
            if (Outcome kept = Outcome::fileStep(kCommand, m_files.write(backup, current), backup); !kept.isDone())
                return kept;
        }
        if (Outcome emptied = Outcome::fileStep(kCommand, m_files.write(drawPath, QByteArray()), drawPath); !emptied.isDone())
            return emptied;
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
        anyYes = true;
        // A file that could not be read would be "reset" into an empty one.
        if (Outcome check = m_session.writeCheck(m_session.syndicates().file(), kCommand); !check.isDone())
            return check;
        if (!backedUp) {
            if (Outcome copied = backUpSyndicates(kCommand); !copied.isDone())
                return copied;
        }
        const double today = OleDate::fromDate(m_session.clock().today());
        const QByteArray old = m_session.syndicates().file().readAllRecords();
        QByteArray reset;
        reset.reserve(old.size());
        // Every record, those past kMaxRecords too: none is lost by the reset.
        for (SyndicateRecord s : decodeRecords<SyndicateRecord>(old, kAllRecords)) {
            s.prizeCounts.fill(0);
            s.lastCountedDate = 0;
            s.createdOn = today;
            reset += s.toBytes();
        }
        const QString path = m_session.dataPath(Session::kSyndicateFile);
        if (Outcome written = Outcome::fileStep(kCommand, m_files.write(path, reset), path); !written.isDone())
            return written;
        m_session.syndicates().file().open(path);
        m_session.updateStatus();
    }
    return anyYes ? Outcome::done(kCommand) : Outcome::declined(kCommand);
}

Outcome Maintenance::backUpSyndicates(Outcome::Command command)
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
        if (Outcome read = Outcome::fileStep(command, m_files.readFile(from, &bytes, true), from); !read.isDone())
            return read;
        if (Outcome written = Outcome::fileStep(command, m_files.write(to, bytes), to); !written.isDone())
            return written;
    }
    return Outcome::done(command);
}

Outcome Maintenance::deleteDraw(int position)
{
    constexpr auto kCommand = Outcome::Command::DeleteDraw;
    // Nothing to say: the list offers no such click.
    const Outcome unchanged(Outcome::Status::Unchanged, kCommand);
    if (position < 1 || position > m_session.storedDraws())
        return unchanged;
    const int k = m_session.nextDrawRecord() - position;
    // A draw that cannot be real may go at once, without "delete all" first.
    const auto &implausible = m_session.implausibleDrawRecords();
    if (!m_drawDeleteMode && std::find(implausible.begin(), implausible.end(), k) == implausible.end())
        return unchanged;
    if (!m_session.prompter().ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar este sorteo?")))
        return Outcome::declined(kCommand);
    return removeDraw(position);
}

Outcome Maintenance::deleteNamedDraw(int position)
{
    constexpr auto kCommand = Outcome::Command::DeleteDraw;
    if (position < 1 || position > m_session.storedDraws())
        return Outcome(Outcome::Status::Unchanged, kCommand);
    const DrawRecord draw = m_session.draws().file().get(m_session.nextDrawRecord() - position);
    if (!m_session.prompter().ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar el sorteo del %1?").arg(longSpanishDate(draw.qdate()))))
        return Outcome::declined(kCommand);
    return removeDraw(position);
}

Outcome Maintenance::removeDraw(int position)
{
    constexpr auto kCommand = Outcome::Command::DeleteDraw;
    const int k = m_session.nextDrawRecord() - position;
    if (Outcome check = m_session.writeCheck(m_session.draws().file(), kCommand); !check.isDone())
        return check;

    const QByteArray old = m_session.draws().bytes();
    QByteArray kept = old.left((k - 1) * DrawRecord::kSize) + old.mid(k * DrawRecord::kSize);

    const QString drawPath = m_session.dataPath(Session::kDrawFile);
    const FileOps::Result replaced = replaceThroughWorkFile(m_session.dataDir() + kDrawWorkFile, drawPath, kept);
    if (Outcome written = Outcome::fileStep(kCommand, replaced, drawPath); !written.isDone())
        return written;
    m_session.draws().file().open(drawPath);
    m_session.updateStatus();
    // The list and its tallies follow the file at once.
    m_session.loadDrawList();
    return Outcome::done(kCommand);
}

Outcome Maintenance::deleteSyndicate(int record)
{
    constexpr auto kCommand = Outcome::Command::DeleteSyndicate;
    if (record == 0)
        return Outcome(Outcome::Status::Refused, kCommand, Outcome::Cause::NoSyndicateChosen);
    Prompter &prompter = m_session.prompter();
    if (Outcome check = m_session.writeCheck(m_session.syndicates().file(), kCommand); !check.isDone())
        return check;
    const QByteArray old = m_session.syndicates().file().readAllRecords();
    const qint64 count = old.size() / SyndicateRecord::kSize;
    if (record < 1 || record > count)
        return Outcome(Outcome::Status::Unchanged, kCommand);
    const SyndicateRecord doomed = SyndicateRecord::fromBytes(old.sliced((record - 1) * SyndicateRecord::kSize, SyndicateRecord::kSize));
    if (!prompter.ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar la Peña %1?").arg(doomed.name())))
        return Outcome::declined(kCommand);

    const QByteArray kept = old.left((record - 1) * SyndicateRecord::kSize) + old.mid(record * SyndicateRecord::kSize);
    const QString path = m_session.dataPath(Session::kSyndicateFile);
    const FileOps::Result replaced = replaceThroughWorkFile(m_session.dataPath(Session::kSyndicateWorkFile), path, kept);
    if (Outcome written = Outcome::fileStep(kCommand, replaced, path); !written.isDone())
        return written;
    m_session.syndicates().file().open(path);

    // Its members go with it; the later twins of an identical peña move up.
    const std::vector<SyndicateRecord> before = decodeRecords<SyndicateRecord>(old, kAllRecords);
    MemberFile &members = m_session.memberFile();
    const MemberFile::Key key = MemberFile::keysOf(before)[std::size_t(record - 1)];
    Outcome outcome = Outcome::done(kCommand);
    if (members.syndicateDeleted(key)) {
        outcome = Outcome::fileStep(kCommand, members.save(), members.path());
        if (!outcome.isDone())
            outcome.status = Outcome::Status::Incomplete;
    }
    m_session.updateStatus();
    return outcome;
}
