#include "session.h"

#include "store/outcome.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "dataaccess.h"
#include "datadir.h"
#include "store/fileops.h"
#include "store/oledate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <ctime>
#include <limits>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    const QString kWelcomeNoDraws = QStringLiteral(
        "Todavía no hay ningún sorteo guardado. Con Quorvale vienen todos los sorteos desde el primero, del "
        "6 de febrero de 2005: añádalos ahora con el botón de abajo (o más tarde con \"Añadir todos los sorteos\", "
        "en la pestaña 'Estadísticas'); después, la descarga traerá sólo los sorteos nuevos.");
    // Made only where nothing stands under the name: never through a link.
    void touch(const QString &path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            ::close(fd);
    }

    // The files the program writes in the data directory, whose interrupted
    // writes may leave a work file behind.
    const QStringList kWrittenFiles = {
        QStringLiteral("numeros.dat"),
        QStringLiteral("apuestas.dat"),
        QStringLiteral("nums.ini"),
        QStringLiteral("www.txt"),
        QStringLiteral("www2.txt"),
        QStringLiteral("premios.json"),
        QStringLiteral("socios.json"),
        QStringLiteral("numeros.bak"),
        QStringLiteral("apuestas.bak"),
        QStringLiteral("socios.bak"),
        QStringLiteral("edu.pdf"),
        QStringLiteral("informe.dat"),
    };

    // A work file of a write that never finished: the hidden ".NAME.XXXXXX"
    // of the checked write, "NAME.XXXXXX" of a downloaded document, or the
    // work file of a rewrite of the draws.
    bool isWorkFileName(const QString &name)
    {
        static const QRegularExpression pattern(QStringLiteral("^(\\.?)(.+)\\.[A-Za-z0-9]{6}$"));
        if (name == QLatin1String("numeros.tmp"))
            return true;
        const QRegularExpressionMatch match = pattern.match(name);
        if (!match.hasMatch() || !kWrittenFiles.contains(match.captured(2)))
            return false;
        const bool hidden = !match.captured(1).isEmpty();
        const bool document = match.captured(2) == QLatin1String("edu.pdf") || match.captured(2) == QLatin1String("informe.dat");
        return hidden || document;
    }
}

void Session::removeLeftoverWorkFiles(const QString &dataDir, int minAgeSeconds)
{
    const time_t now = ::time(nullptr);
    const QDir dir(dataDir);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        if (!isWorkFileName(name))
            continue;
        // Only a plain file of ours, never a link or what it points at.
        struct stat info
        {};
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        if (::lstat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (now - info.st_mtime > minAgeSeconds)
            ::unlink(path.constData());
    }
}

const QString Session::kWelcomeTitle = QStringLiteral("Fichero de peñas vacío");
const QString Session::kWelcomeText = QStringLiteral(
    "Bienvenido a Quorvale. Vaya a la pestaña 'Gestor de Peñas' y cree una. "
    "La peña creada empezará a almacenar resultados a partir de hoy. Si quieres ver "
    "los resultados de la peña en sorteos anteriores, marque la casilla 'Histórico' "
    "de la pestaña 'General'.");

Session::Session(Clock &clock, FrontEnd &frontEnd, Endpoints endpoints, FileOps *files, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_frontEnd(frontEnd)
    , m_endpoints(std::move(endpoints))
    , m_ownFiles(files ? nullptr : std::make_unique<DiskFileOps>())
    , m_files(files ? *files : *m_ownFiles)
    , m_draws(clock)
{
}

Session::~Session()
{
    shutdown();
}

QString Session::dataPath(const char *fileName) const
{
    return m_dataDir + QLatin1String(fileName);
}

bool Session::start(const QString &dataDir)
{
    if (dataDir.isEmpty() || !QFileInfo(dataDir).isDir())
        return false;
    m_dataDir = QDir(dataDir).absolutePath();
    if (!m_dataDir.endsWith(QLatin1Char('/')))
        m_dataDir += QLatin1Char('/');

    m_readOnlyReason = ::readOnlyReason(m_dataDir);
    // Left over from a syndicate deletion that never finished; never read.
    if (!isReadOnly()) {
        QFile::remove(dataPath(kSyndicateWorkFile));
        removeLeftoverWorkFiles(m_dataDir, kWorkFileMinAgeSeconds);
    }

    openFiles();
    loadPrizeReports();
    loadMembers();
    loadCalibration();
    updateStatus();
    refreshDraws();
    return true;
}

QString Session::readOnlyText() const
{
    return QStringLiteral("Sólo lectura: no se puede cambiar nada en %1 porque %2. Puede ver los datos e imprimir "
                          "o guardar PDF en otra carpeta.")
        .arg(QDir::toNativeSeparators(m_dataDir), m_readOnlyReason);
}

void Session::shutdown()
{
    m_syndicates.file().close();
    m_draws.file().close();
    m_calibrationFile.close();
}

void Session::openFiles()
{
    // A partial last record is kept elsewhere before anything can write
    // after it (a new syndicate, the list's own corrections).
    // Read-only, a file that is not there is simply empty.
    const auto unusable = [this](const RecordFile &file) {
        if (!isReadOnly() || QFileInfo::exists(file.path()))
            reportUnusable(file);
    };
    if (m_syndicates.file().open(dataPath(kSyndicateFile)))
        setTailAside(m_syndicates.file(), kSyndicateTailFile);
    else
        unusable(m_syndicates.file());
    // The draw file's tail waits for the list load: a file whose whole
    // records are bad goes aside whole, tail included, in one copy.
    if (!m_draws.file().open(dataPath(kDrawFile)))
        unusable(m_draws.file());
    // The page files and the downloaded documents are only written later:
    // a link the program will not write through is told now, once.
    for (const char *name : {kSearchPage, kDrawPage, "edu.pdf", "informe.dat"}) {
        if (checkLink(dataPath(name)).refused())
            tellLinkRefused(dataPath(name));
    }
    if (isReadOnly())
        return;
    touch(dataPath(kSearchPage));
    touch(dataPath(kDrawPage));
}

void Session::loadPrizeReports()
{
    const QString path = dataPath(PrizeReportFile::kFileName);
    switch (m_prizeReports.load(path)) {
    case PrizeReportFile::Load::Ok:
        break;
    case PrizeReportFile::Load::SetAside:
        tellSetAside(Outcome::Cause::ReportFileSetAside, m_prizeReports.setAsidePath());
        break;
    case PrizeReportFile::Load::Unusable:
        if (checkLink(path).refused())
            tellLinkRefused(path);
        else
            m_frontEnd.tell(Outcome(Outcome::Status::Failed, Outcome::Command::DataFiles, Outcome::Cause::ReportFileUnusable));
        break;
    }
}

void Session::loadMembers()
{
    const QString path = dataPath(MemberFile::kFileName);
    switch (m_members.load(path)) {
    case MemberFile::Load::Ok:
        break;
    case MemberFile::Load::SetAside:
        tellSetAside(Outcome::Cause::MemberFileSetAside, m_members.setAsidePath());
        break;
    case MemberFile::Load::Unusable:
        if (checkLink(path).refused())
            tellLinkRefused(path);
        else
            m_frontEnd.tell(Outcome(Outcome::Status::Failed, Outcome::Command::DataFiles, Outcome::Cause::MemberFileUnusable));
        break;
    }
}

QDate Session::nextDrawDate() const
{
    const QDate newest = storedDraws() > 0 ? OleDate::toDate(m_drawBuffer.date) : QDate();
    return ::nextDrawDate(newest, m_clock.today());
}

PrizeReport Session::newestDrawReport() const
{
    const QDate date = OleDate::toDate(m_drawBuffer.date);
    if (storedDraws() == 0 || !date.isValid())
        return {};
    return m_prizeReports.report(date);
}

void Session::loadCalibration()
{
    // A file shorter than one record counts as empty and gets a zeroed record.
    if (!m_calibrationFile.open(dataPath(kCalibrationFile))) {
        if (m_calibrationFile.openResult() == FileOps::Result::LinkRefused)
            reportUnusable(m_calibrationFile);
        return;
    }
    if (m_calibrationFile.count() == 0 && !isReadOnly())
        m_calibrationFile.put(1, PrintCalibration {});
    m_calibration = m_calibrationFile.get(1);
}

void Session::updateStatus()
{
    // The scan reads the file afresh; everything after it reads what it read.
    m_draws.reload();
    const std::vector<DrawRecord> &stored = m_draws.all();
    const int draws = int(stored.size());

    // A draw is played by the syndicates as a whole when it is not older than
    // the oldest creation date; with no syndicate no draw is.
    double oldestCreation = std::numeric_limits<double>::infinity();
    for (const SyndicateRecord &syndicate : m_syndicates.readAll()) {
        if (!Scrutiny::isDamaged(syndicate))
            oldestCreation = std::min(oldestCreation, syndicate.createdOn);
    }

    // A draw dated after today cannot have been held: it counts for nothing,
    // and the status speaks of the newest draw that could be real.
    const std::vector<DrawRecord> &held = m_draws.upToToday();
    const double newestHeld = held.empty() ? 0.0 : held.back().date;
    m_drawsSinceFirstSyndicate = int(std::count_if(held.begin(), held.end(), [oldestCreation](const DrawRecord &draw) {
        return draw.date >= oldestCreation;
    }));
    std::vector<double> dates;
    dates.reserve(std::size_t(draws));
    for (const DrawRecord &draw : stored)
        dates.push_back(draw.date);

    m_nextDrawRecord = draws + 1;
    m_drawBuffer = draws > 0 ? stored.back() : DrawRecord {};

    m_status = describeDrawStatus(newestHeld, draws, m_clock.today());
    const std::vector<ImplausibleDraw> implausible = findImplausibleDraws(dates, m_clock.today());
    m_implausibleRecords.clear();
    for (const ImplausibleDraw &draw : implausible)
        m_implausibleRecords.push_back(draw.record);
    m_status.implausibleDraws = implausible;
    // Holes are looked for among the draws that can be real.
    std::vector<QDate> real;
    real.reserve(dates.size());
    for (std::size_t i = 0, bad = 0; i < dates.size(); ++i) {
        if (bad < implausible.size() && implausible[bad].record == int(i) + 1) {
            ++bad;
            continue;
        }
        real.push_back(OleDate::toDate(dates[i]));
    }
    m_status.holeDates = findHistoryHoles(real, m_prizeReports.noDrawDates());
    m_view.m_drawsToShow = std::clamp(m_view.m_drawsToShow, 1, m_status.scrollMaximum);

    loadSyndicateList();
    emit statusChanged();
}

void Session::loadSyndicateList()
{
    m_syndicates.rebuild(m_draws, m_drawsSinceFirstSyndicate, isReadOnly());
    emit syndicatesChanged();
    setDetails(1, true);
}

void Session::showSyndicateDetails(int record)
{
    setDetails(record, true);
}

void Session::selectSyndicate(int record)
{
    if (m_syndicates.select(record))
        setDetails(record, true);
}

void Session::setDetails(int record, bool report)
{
    m_syndicates.setDetails(record, m_draws);
    emit syndicateDetailsChanged();
    if (m_syndicates.details().damaged && report)
        m_frontEnd.tell(Outcome(Outcome::Status::Failed, Outcome::Command::DataFiles, Outcome::Cause::SyndicateFileDamaged));
}

void Session::refreshDraws()
{
    // The draw file is checked before any prize is counted from it: a file
    // about to be set aside as invalid must not add to the counters.
    loadDrawList();
    scrutinizeSimpleSyndicates(m_view.drawsToShow());
}

Scrutiny::Pass Session::beginPass()
{
    Scrutiny::Pass pass;
    pass.draws = m_draws.upToToday();
    pass.syndicates = m_syndicates.readAll();
    pass.historico = m_view.historico();
    pass.soloPremio = m_view.soloPremio();
    pass.notice = m_alert.m_notice;
    pass.notice.storedDraws = m_alert.m_storedDrawsNotice > 0;
    return pass;
}

void Session::scrutinizeSimpleSyndicates(int drawCount)
{
    Scrutiny::Pass pass = beginPass();

    emit simpleResultsAboutToChange();
    const bool multipleSeen = Scrutiny::scrutinizeSimpleSyndicates(pass, drawCount, m_simpleResults);
    emit simpleResultsChanged();

    if (multipleSeen) {
        runMultiplePass(pass, drawCount);
    } else {
        // No multiple bet took part: its list must not go on showing the
        // rows of other draws.
        emit multipleResultsAboutToChange();
        m_multipleResults.clear();
        emit multipleResultsChanged();
    }
    endPass(pass);
}

void Session::scrutinizeMultipleSyndicates(int drawCount)
{
    Scrutiny::Pass pass = beginPass();
    runMultiplePass(pass, drawCount);
    endPass(pass);
}

void Session::runMultiplePass(Scrutiny::Pass &pass, int drawCount)
{
    emit multipleResultsAboutToChange();
    Scrutiny::scrutinizeMultipleSyndicates(pass, drawCount, m_multipleResults);
    emit multipleResultsChanged();
}

void Session::endPass(const Scrutiny::Pass &pass)
{
    setNotice(pass.notice);
}

void Session::setNotice(const Scrutiny::PrizeNotice &notice)
{
    Scrutiny::PrizeNotice next = notice;
    next.storedDraws = false; // kept as the stored-draws count
    if (next == m_alert.m_notice)
        return;
    m_alert.m_notice = next;
    emit prizeNoticeChanged();
}

void Session::showNewestDraw()
{
    if (m_view.drawsToShow() == 1) {
        scrutinizeSimpleSyndicates(1);
        scrutinizeMultipleSyndicates(1);
    } else {
        emit scrollBarsReset();
        setDrawsToShow(1);
    }
}

void Session::stopPrizeAnimation()
{
    if (!m_alert.m_notice.running)
        return;
    m_alert.m_notice.running = false;
    m_alert.m_storedDrawsNotice = 0;
    emit prizeNoticeChanged();
}

void Session::setStoredDrawsNotice(int draws)
{
    draws = std::max(draws, 0);
    if (draws == m_alert.m_storedDrawsNotice)
        return;
    m_alert.m_storedDrawsNotice = draws;
    emit prizeNoticeChanged();
}

void Session::clearPrizeBlink()
{
    if (m_alert.m_notice.prizeBlink == 0)
        return;
    m_alert.m_notice.prizeBlink = 0;
    emit prizeNoticeChanged();
}

void Session::loadDrawList()
{
    TypedRecordFile<DrawRecord> &file = m_draws.file();
    // Read-only, nothing can be set aside: the file is read as far as it goes.
    if (!m_draws.isSound() && file.isOpen() && !m_rejecting && !isReadOnly()) {
        rejectDrawFile();
        return;
    }
    // Whole, sound records with a partial one after them (a write cut short):
    // the records stay in use, the tail goes aside. One that cannot be kept
    // elsewhere blocks writes (writeCheck) but hides nothing.
    if (file.hasPartialTail() && !m_rejecting && !isReadOnly())
        setTailAside(file, kDrawTailFile);
    emit drawListChanged();
}

QString Session::freeName(const char *fileName) const
{
    QString name = dataPath(fileName);
    // A dangling link counts as taken: the copy must not go through it.
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = dataPath(fileName) + QLatin1Char('.') + QString::number(n);
    return name;
}

void Session::tellLinkRefused(const QString &path) const
{
    Outcome refused(Outcome::Status::Refused, Outcome::Command::DataFiles, Outcome::Cause::LinkRefused);
    refused.path = path;
    m_frontEnd.tell(refused);
}

void Session::tellSetAside(Outcome::Cause cause, const QString &copy) const
{
    Outcome setAside(Outcome::Status::Done, Outcome::Command::DataFiles, cause);
    setAside.copy = copy;
    m_frontEnd.tell(setAside);
}

void Session::reportUnusable(const RecordFile &file) const
{
    const FileOps::Result cause = file.openResult() == FileOps::Result::Ok ? FileOps::Result::Failed : file.openResult();
    Outcome unusable(Outcome::Status::Failed, Outcome::Command::DataFiles, Outcome::Cause::UnusableFile);
    unusable.path = file.path();
    unusable.file = cause;
    m_frontEnd.tell(unusable);
}

Outcome Session::writeCheck(const RecordFile &file, OutcomeCommand command) const
{
    if (isReadOnly())
        return Outcome::problem(command, readOnlyText(), Outcome::Cause::ReadOnly);
    Outcome refused(Outcome::Status::Failed, command);
    refused.path = file.path();
    if (!file.isOpen()) {
        refused.cause = Outcome::Cause::UnusableFile;
        refused.file = file.openResult();
        return refused;
    }
    if (file.hasPartialTail()) {
        refused.cause = Outcome::Cause::PartialTail;
        return refused;
    }
    return Outcome::done(command);
}

bool Session::setTailAside(RecordFile &file, const char *asideName)
{
    if (!file.hasPartialTail())
        return true;
    // Nothing can be kept aside: the whole records are read, and
    // writeCheck() refuses any write anyway.
    if (isReadOnly())
        return false;
    const QByteArray tail = file.partialTail();
    const QString aside = freeName(asideName);
    FileOps::Result result = tail.isEmpty() ? FileOps::Result::Unreadable : m_files.createWorkFile(aside, tail);
    if (result == FileOps::Result::Ok && !file.dropPartialTail())
        result = FileOps::Result::PermissionDenied;
    Outcome told(Outcome::Status::Done, Outcome::Command::DataFiles, Outcome::Cause::TailSetAside);
    told.path = file.path();
    told.copy = aside;
    told.count = tail.size();
    if (result != FileOps::Result::Ok) {
        // The tail stays where it is, and so does everything else: the
        // file is read but not written until the user can look at it.
        told.status = Outcome::Status::Failed;
        told.cause = Outcome::Cause::TailNotSetAside;
        told.file = result;
        m_frontEnd.tell(told);
        return false;
    }
    ++m_setAsideTails;
    m_frontEnd.tell(told);
    return true;
}

void Session::rejectDrawFile()
{
    // The player's draws are copied under another name, never destroyed;
    // only when the copy is on disk does the file become empty (in place,
    // so a link stays a link).
    const QString path = dataPath(kDrawFile);
    const QString aside = freeName(kRejectedDrawFile);
    QByteArray bytes;
    FileOps::Result result = m_files.readFile(path, &bytes);
    QString failed = path;
    if (result == FileOps::Result::Ok) {
        result = m_files.createWorkFile(aside, bytes);
        failed = aside;
    }
    const bool kept = result == FileOps::Result::Ok;
    m_draws.file().close();
    if (kept) {
        result = m_files.write(path, QByteArray());
        failed = path;
    }
    Outcome rejected(Outcome::Status::Done, Outcome::Command::DataFiles, Outcome::Cause::DrawFileRejected);
    if (kept)
        rejected.copy = aside;
    if (result == FileOps::Result::Ok) {
        m_draws.file().open(path);
    } else {
        // Left closed: nothing is counted from it and no command writes it.
        rejected.status = Outcome::Status::Failed;
        rejected.file = result;
        rejected.path = failed;
    }
    m_frontEnd.tell(rejected);
    m_rejecting = true;
    ++m_rejectedDrawFiles;
    updateStatus();
    refreshDraws();
    m_rejecting = false;
}

void Session::setDrawsToShow(int draws)
{
    if (!m_view.setDrawsToShow(draws, m_status.scrollMaximum))
        return;
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::presetDrawsToShow(int draws)
{
    if (m_view.setDrawsToShow(draws, m_status.scrollMaximum))
        emit viewOptionsChanged();
}

void Session::setHistorico(bool on)
{
    if (on == m_view.m_historico)
        return;
    m_view.m_historico = on;
    setStoredDrawsNotice(0);
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::setSoloPremio(bool on)
{
    if (on == m_view.m_soloPremio)
        return;
    m_view.m_soloPremio = on;
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::applyViewOptions(int draws, bool historico, bool soloPremio)
{
    draws = std::clamp(draws, 1, m_status.scrollMaximum);
    if (draws == m_view.m_drawsToShow && historico == m_view.m_historico && soloPremio == m_view.m_soloPremio)
        return;
    if (historico != m_view.m_historico)
        setStoredDrawsNotice(0);
    m_view.m_drawsToShow = draws;
    m_view.m_historico = historico;
    m_view.m_soloPremio = soloPremio;
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::mainWindowActivated()
{
    if (++m_firstShowCount == 1 && m_syndicates.file().count() == 0) {
        if (m_draws.file().count() == 0) {
            // An empty directory: the shipped history is one click away,
            // never a download from the game's first year.
            Prompter::WaysIn ways;
            ways.shippedHistory = true;
            ways.historyFile = bundledDrawFile(QCoreApplication::applicationDirPath());
            const Prompter::WayIn chosen = m_frontEnd.offerWaysIn(Prompter::Icon::Information, kWelcomeTitle,
                                                                  kWelcomeText + QStringLiteral("\n\n") + kWelcomeNoDraws, ways);
            if (chosen != Prompter::WayIn::None)
                emit wayInChosen(chosen);
        } else {
            m_frontEnd.tell(Outcome(Outcome::Status::Done, Outcome::Command::DataFiles, Outcome::Cause::Welcome));
        }
    }
    showNewestDraw();
}
