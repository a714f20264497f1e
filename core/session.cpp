#include "session.h"

#include "outcome.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "dataaccess.h"
#include "datadir.h"
#include "store/fileops.h"
#include "store/oledate.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <ctime>
#include <map>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
    const QString kWelcomeTitle = QStringLiteral("Fichero de peñas vacío");
    const QString kWelcomeText = QStringLiteral(
        "Bienvenido a Quorvale. Vaya a la pestaña 'Gestor de Peñas' y cree una. "
        "La peña creada empezará a almacenar resultados a partir de hoy. Si quieres ver "
        "los resultados de la peña en sorteos anteriores, marque la casilla 'Histórico' "
        "de la pestaña 'General'.");
    const QString kWelcomeNoDraws = QStringLiteral(
        "Todavía no hay ningún sorteo guardado. Con Quorvale vienen todos los sorteos desde el primero, del "
        "6 de febrero de 2005: añádalos ahora con el botón de abajo (o más tarde con \"Añadir todos los sorteos\", "
        "en la pestaña 'Estadísticas'); después, la descarga traerá sólo los sorteos nuevos.");
    const QString kBadDrawFileTitle = QStringLiteral("Error de lectura");
    const QString kBadDrawFileText = QStringLiteral(
        "Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.");
    const QString kBadReportFileText = QStringLiteral(
        "Archivo de informes de premios no válido. Se ha guardado aparte como %1 y se empieza uno nuevo; "
        "los informes del último año se volverán a bajar.");
    const QString kUnusableReportFileText = QStringLiteral(
        "No se puede usar el archivo de informes de premios %1. No se modificará y los informes de premios "
        "nuevos no se guardarán.");
    const QString kBadMemberFileText = QStringLiteral(
        "Archivo de socios no válido. Se ha guardado aparte como %1 y las peñas quedan sin socios; "
        "puede abrir esa copia para volver a anotarlos.");
    const QString kUnusableMemberFileText = QStringLiteral(
        "No se puede usar el archivo de socios %1. No se modificará y los cambios de socios no se guardarán.");
    const QString kKeptCopyLine = QStringLiteral("Una copia del archivo se ha guardado en %1.");
    const QString kCorruptTitle = QStringLiteral("¡Vaya hombre!");
    const QString kCorruptText = QStringLiteral("Error crítico: fichero apuestas.dat corrupto.");

    // Record numbers are signed 16-bit in the files' tradition; a longer
    // (foreign or damaged) file is read up to there.
    constexpr qsizetype kMaxRecords = std::numeric_limits<std::int16_t>::max() - 1;

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
        QStringLiteral("numeros.dat"), QStringLiteral("apuestas.dat"), QStringLiteral("nums.ini"),
        QStringLiteral("www.txt"),     QStringLiteral("www2.txt"),     QStringLiteral("premios.json"),
        QStringLiteral("socios.json"), QStringLiteral("numeros.bak"),  QStringLiteral("apuestas.bak"),
        QStringLiteral("socios.bak"),  QStringLiteral("edu.pdf"),      QStringLiteral("informe.dat"),
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
        struct stat info {};
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        if (::lstat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (now - info.st_mtime > minAgeSeconds)
            ::unlink(path.constData());
    }
}

Session::Session(Clock &clock, Prompter &prompter, Endpoints endpoints, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_prompter(prompter)
    , m_endpoints(std::move(endpoints))
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
    m_syndicateFile.close();
    m_drawFile.close();
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
    if (m_syndicateFile.open(dataPath(kSyndicateFile)))
        setTailAside(m_syndicateFile, kSyndicateTailFile, QStringLiteral("Las peñas completas siguen en uso."));
    else
        unusable(m_syndicateFile);
    // The draw file's tail waits for the list load: a file whose whole
    // records are bad goes aside whole, tail included, in one copy.
    if (!m_drawFile.open(dataPath(kDrawFile)))
        unusable(m_drawFile);
    // The page files and the downloaded documents are only written later:
    // a link the program will not write through is told now, once.
    for (const char *name : {kSearchPage, kDrawPage, "edu.pdf", "informe.dat"}) {
        if (const QString why = linkRefusalText(dataPath(name)); !why.isEmpty())
            m_prompter.warn(kBadDrawFileTitle, why);
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
        m_prompter.warn(kBadDrawFileTitle, kBadReportFileText.arg(QFileInfo(m_prizeReports.setAsidePath()).fileName()));
        break;
    case PrizeReportFile::Load::Unusable:
        if (const QString why = linkRefusalText(path); !why.isEmpty())
            m_prompter.warn(kBadDrawFileTitle, why);
        else
            m_prompter.warn(kBadDrawFileTitle, kUnusableReportFileText.arg(QString::fromLatin1(PrizeReportFile::kFileName)));
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
        m_prompter.warn(kBadDrawFileTitle, kBadMemberFileText.arg(QFileInfo(m_members.setAsidePath()).fileName()));
        break;
    case MemberFile::Load::Unusable:
        if (const QString why = linkRefusalText(path); !why.isEmpty())
            m_prompter.warn(kBadDrawFileTitle, why);
        else
            m_prompter.warn(kBadDrawFileTitle, kUnusableMemberFileText.arg(QString::fromLatin1(MemberFile::kFileName)));
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

namespace
{
    // The stored draws oldest first, each with its report looked up once.
    struct PricedHistory
    {
        std::vector<DrawRecord> draws;
        std::vector<PrizeReport> reports;
    };

    PricedHistory pricedHistory(const DrawList &list, const PrizeReportFile &reports, QDate today)
    {
        PricedHistory history;
        // A draw dated after today was never played: no stake, no prize.
        for (auto it = list.draws.rbegin(); it != list.draws.rend(); ++it) {
            if (it->qdate() <= today)
                history.draws.push_back(*it);
        }
        history.reports = Money::reportsOf(history.draws, [&reports](QDate date) { return reports.report(date); });
        return history;
    }
}

std::vector<Money::DrawOutcome> Session::ledger(int record) const
{
    if (record < 1 || record > int(m_syndicates.size()))
        return {};
    const PricedHistory history = pricedHistory(m_drawList, m_prizeReports, m_clock.today());
    return Money::ledgerWithReports(m_syndicates[std::size_t(record - 1)], history.draws, history.reports);
}

Money::Totals Session::moneyTotals(int record) const
{
    if (record != 0)
        return Money::totals(ledger(record));
    return Money::totalsOfAll(ledgers());
}

std::vector<std::vector<Money::DrawOutcome>> Session::ledgers() const
{
    std::vector<std::vector<Money::DrawOutcome>> all;
    all.reserve(m_syndicates.size());
    forEachLedger([&all](int, const std::vector<Money::DrawOutcome> &ledger) { all.push_back(ledger); });
    return all;
}

void Session::forEachLedger(const std::function<void(int, const std::vector<Money::DrawOutcome> &)> &each) const
{
    const PricedHistory history = pricedHistory(m_drawList, m_prizeReports, m_clock.today());
    for (std::size_t s = 0; s < m_syndicates.size(); ++s)
        each(int(s) + 1, Money::ledgerWithReports(m_syndicates[s], history.draws, history.reports));
}

std::vector<std::pair<QDate, std::int64_t>> Session::balanceHistory(int record) const
{
    const PricedHistory history = pricedHistory(m_drawList, m_prizeReports, m_clock.today());
    std::map<QDate, std::int64_t> change;
    for (int r = 1; r <= int(m_syndicates.size()); ++r) {
        if (record != 0 && r != record)
            continue;
        for (const Money::DrawOutcome &row :
             Money::ledgerWithReports(m_syndicates[std::size_t(r - 1)], history.draws, history.reports)) {
            // Every draw played costs its stake; what it won counts once known.
            change[row.date] += row.wonCents.value_or(0) - row.stakeCents;
        }
    }
    std::vector<std::pair<QDate, std::int64_t>> points;
    std::int64_t balance = 0;
    for (const auto &[date, delta] : change) {
        balance += delta;
        points.emplace_back(date, balance);
    }
    return points;
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

QDate Session::oldestSyndicateCreation() const
{
    QDate oldest;
    for (const SyndicateRecord &syndicate : m_syndicates) {
        const QDate created = OleDate::toDate(syndicate.createdOn);
        if (!Scrutiny::isDamaged(syndicate) && created.isValid() && (!oldest.isValid() || created < oldest))
            oldest = created;
    }
    return oldest;
}

void Session::updateStatus()
{
    const QByteArray drawBytes = m_drawFile.readAllRecords();
    const int draws = int(std::min<qsizetype>(drawBytes.size() / DrawRecord::kSize,
                                              std::numeric_limits<std::int16_t>::max() - 1));

    // A draw is played by the syndicates as a whole when it is not older than
    // the oldest creation date; with no syndicate no draw is.
    double oldestCreation = std::numeric_limits<double>::infinity();
    for (const SyndicateRecord &syndicate : readSyndicates()) {
        if (!Scrutiny::isDamaged(syndicate))
            oldestCreation = std::min(oldestCreation, syndicate.createdOn);
    }

    // A draw dated after today cannot have been held: it counts for nothing,
    // and the status speaks of the newest draw that could be real.
    const double today = OleDate::fromDate(m_clock.today());
    double newestHeld = 0.0;
    std::vector<double> dates;
    dates.reserve(std::size_t(draws));
    m_drawsSinceFirstSyndicate = 0;
    for (int n = 0; n < draws; ++n) {
        const auto draw = DrawRecord::fromBytes(drawBytes.sliced(qsizetype(n) * DrawRecord::kSize, DrawRecord::kSize));
        dates.push_back(draw.date);
        if (draw.date > today)
            continue;
        newestHeld = draw.date;
        if (draw.date >= oldestCreation)
            ++m_drawsSinceFirstSyndicate;
    }

    m_nextDrawRecord = draws + 1;
    m_drawBuffer = draws > 0 ? DrawRecord::fromBytes(drawBytes.sliced(qsizetype(draws - 1) * DrawRecord::kSize, DrawRecord::kSize))
                             : DrawRecord {};

    m_status = describeDrawStatus(newestHeld, draws, m_clock.today());
    const std::vector<ImplausibleDraw> implausible = findImplausibleDraws(dates, m_clock.today());
    m_implausibleRecords.clear();
    for (const ImplausibleDraw &draw : implausible)
        m_implausibleRecords.push_back(draw.record);
    m_status.implausible = implausibleDrawsText(implausible, draws);
    m_status.implausibleWarning = !implausible.empty();
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
    m_status.holes = historyHolesText(m_status.holeDates);
    m_drawsToShow = std::clamp(m_drawsToShow, 1, m_status.scrollMaximum);

    loadSyndicateList();
    emit statusChanged();
}

std::vector<SyndicateRecord> Session::readSyndicates()
{
    std::vector<SyndicateRecord> records;
    const QByteArray bytes = m_syndicateFile.readAllRecords();
    const qsizetype count = std::min(bytes.size() / SyndicateRecord::kSize, kMaxRecords);
    records.reserve(std::size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        records.push_back(SyndicateRecord::fromBytes(bytes.sliced(i * SyndicateRecord::kSize, SyndicateRecord::kSize)));
    return records;
}

std::vector<DrawRecord> Session::readDraws()
{
    std::vector<DrawRecord> draws;
    const QByteArray bytes = m_drawFile.readAllRecords();
    const qsizetype count = std::min(bytes.size() / DrawRecord::kSize, kMaxRecords);
    draws.reserve(std::size_t(count));
    // No prize is counted from a draw dated after today, and none becomes a
    // syndicate's last counted date (which would stop every real draw after).
    const double today = OleDate::fromDate(m_clock.today());
    for (qsizetype i = 0; i < count; ++i) {
        DrawRecord draw = DrawRecord::fromBytes(bytes.sliced(i * DrawRecord::kSize, DrawRecord::kSize));
        if (draw.date <= today)
            draws.push_back(draw);
    }
    return draws;
}

void Session::loadSyndicateList()
{
    rebuildSyndicateList();
    setDetails(1, true);
}

void Session::rebuildSyndicateList()
{
    m_syndicates = readSyndicates();
    std::vector<bool> changed(m_syndicates.size(), false);
    for (std::size_t k : recountPrizes(m_syndicates))
        changed[k] = true;
    m_syndicateList = Summary::loadSyndicateList(m_syndicates, m_drawsSinceFirstSyndicate);
    for (int record : m_syndicateList.rewritten)
        changed[std::size_t(record - 1)] = true;
    // One write per record, counters, dates and draw day together, so an
    // interrupted rebuild leaves each record wholly old or wholly new.
    // Read-only, the corrected figures are shown but not stored.
    for (std::size_t k = 0; k < changed.size() && !isReadOnly(); ++k) {
        if (changed[k])
            m_syndicateFile.put(qint64(k) + 1, m_syndicates[k]);
    }
    m_nextSyndicateRecord = int(m_syndicates.size()) + 1;
    m_syndicateCountText = m_syndicateList.count;
    if (m_selectedSyndicate > int(m_syndicates.size()))
        m_selectedSyndicate = 0;
    emit syndicatesChanged();
}

int Session::shownSyndicate() const
{
    if (m_selectedSyndicate >= 1 && m_selectedSyndicate <= int(m_syndicates.size()))
        return m_selectedSyndicate;
    const int record = m_details.record;
    if (m_details.damaged || record < 1 || record > int(m_syndicates.size()))
        return 0;
    return record;
}

std::vector<std::size_t> Session::recountPrizes(std::vector<SyndicateRecord> &syndicates)
{
    // The counters are a function of the stored draws. A draw file about to
    // be set aside as invalid adds nothing: its rejection recounts over the
    // empty file that takes its place.
    DrawList checked;
    if (!checked.load(m_drawFile.readAllRecords()) || m_drawFile.hasPartialTail())
        return {};
    // A draw dated after today cannot have been played: nothing is counted from it.
    const QDate today = m_clock.today();
    std::vector<DrawRecord> oldestFirst;
    oldestFirst.reserve(checked.draws.size());
    for (auto it = checked.draws.rbegin(); it != checked.draws.rend(); ++it) {
        if (it->qdate() <= today)
            oldestFirst.push_back(*it);
    }
    return Scrutiny::recount(syndicates, oldestFirst);
}

void Session::showSyndicateDetails(int record)
{
    setDetails(record, true);
}

void Session::selectSyndicate(int record)
{
    if (record < 1 || record > int(m_syndicates.size()))
        return;
    m_selectedSyndicate = record;
    setDetails(record, true);
}

void Session::setDetails(int record, bool report)
{
    if (m_syndicates.empty()) {
        m_details = Summary::emptyDetails();
    } else if (record >= 1 && record <= int(m_syndicates.size())) {
        std::vector<double> dates;
        for (const DrawRecord &draw : readDraws())
            dates.push_back(draw.date);
        m_details = Summary::showSyndicateDetails(record, m_syndicates[std::size_t(record - 1)], dates);
    } else {
        m_details = Summary::emptyDetails();
        m_details.record = record;
        m_details.damaged = true;
    }
    emit syndicateDetailsChanged();
    if (m_details.damaged && report)
        m_prompter.warn(kCorruptTitle, kCorruptText);
}

void Session::refreshDraws()
{
    // The draw file is checked before any prize is counted from it: a file
    // about to be set aside as invalid must not add to the counters.
    loadDrawList();
    scrutinizeSimpleSyndicates(m_drawsToShow);
}

Scrutiny::Pass Session::beginPass()
{
    Scrutiny::Pass pass;
    pass.draws = readDraws();
    pass.syndicates = readSyndicates();
    pass.historico = m_historico;
    pass.soloPremio = m_soloPremio;
    pass.notice = m_notice;
    pass.notice.storedDraws = !m_storedDrawsNotice.isEmpty();
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
    next.storedDraws = false; // kept as the text of Label19
    if (next == m_notice)
        return;
    m_notice = next;
    emit prizeNoticeChanged();
}

void Session::showNewestDraw()
{
    if (m_drawsToShow == 1) {
        scrutinizeSimpleSyndicates(1);
        scrutinizeMultipleSyndicates(1);
    } else {
        emit scrollBarsReset();
        setDrawsToShow(1);
    }
}

void Session::stopPrizeAnimation()
{
    if (!m_notice.running)
        return;
    m_notice.running = false;
    m_storedDrawsNotice.clear();
    emit prizeNoticeChanged();
}

void Session::setStoredDrawsNotice(const QString &text)
{
    if (text == m_storedDrawsNotice)
        return;
    m_storedDrawsNotice = text;
    emit prizeNoticeChanged();
}

void Session::clearPrizeBlink()
{
    if (m_notice.prizeBlink == 0)
        return;
    m_notice.prizeBlink = 0;
    emit prizeNoticeChanged();
}

void Session::loadDrawList()
{
    const bool ok = m_drawList.load(m_drawFile.readAllRecords());
    // Read-only, nothing can be set aside: the file is read as far as it goes.
    if (!ok && m_drawFile.isOpen() && !m_rejecting && !isReadOnly()) {
        rejectDrawFile();
        return;
    }
    // Whole, sound records with a partial one after them (a write cut short):
    // the records stay in use, the tail goes aside. One that cannot be kept
    // elsewhere blocks writes (writeCheck) but hides nothing.
    if (m_drawFile.hasPartialTail() && !m_rejecting && !isReadOnly())
        setTailAside(m_drawFile, kDrawTailFile, QStringLiteral("Los sorteos completos siguen en uso."));
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

void Session::reportUnusable(const RecordFile &file) const
{
    const FileOps::Result cause = file.openResult() == FileOps::Result::Ok ? FileOps::Result::Failed : file.openResult();
    m_prompter.warn(kCorruptTitle, fileErrorText(cause, file.path()));
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

bool Session::setTailAside(RecordFile &file, const char *asideName, const QString &wholeKept)
{
    if (!file.hasPartialTail())
        return true;
    // Nothing can be kept aside: the whole records are read, and
    // writeCheck() refuses any write anyway.
    if (isReadOnly())
        return false;
    const QString name = QFileInfo(file.path()).fileName();
    const QByteArray tail = file.partialTail();
    const QString aside = freeName(asideName);
    DiskFileOps disk;
    FileOps::Result result = tail.isEmpty() ? FileOps::Result::Unreadable : disk.createWorkFile(aside, tail);
    if (result == FileOps::Result::Ok && !file.dropPartialTail())
        result = FileOps::Result::PermissionDenied;
    if (result != FileOps::Result::Ok) {
        // The tail stays where it is, and so does everything else: the
        // file is read but not written until the user can look at it.
        m_prompter.warn(kBadDrawFileTitle,
                        QStringLiteral("%1 termina en %2 bytes que no forman un registro completo; no se han podido "
                                       "guardar aparte y el archivo no se modificará.\n%3")
                            .arg(name)
                            .arg(tail.size())
                            .arg(fileErrorText(result, result == FileOps::Result::Unreadable ? file.path() : aside)));
        return false;
    }
    ++m_setAsideTails;
    m_prompter.warn(kBadDrawFileTitle,
                    QStringLiteral("%1 termina en %2 bytes que no forman un registro completo. %3"
                                   "\nLos bytes sobrantes se han guardado en %4.")
                        .arg(name)
                        .arg(tail.size())
                        .arg(wholeKept, QDir::toNativeSeparators(aside)));
    return true;
}

void Session::rejectDrawFile()
{
    // The player's draws are copied under another name, never destroyed;
    // only when the copy is on disk does the file become empty (in place,
    // so a link stays a link).
    const QString path = dataPath(kDrawFile);
    const QString aside = freeName(kRejectedDrawFile);
    DiskFileOps disk;
    QByteArray bytes;
    FileOps::Result result = disk.readFile(path, &bytes);
    QString failed = path;
    if (result == FileOps::Result::Ok) {
        result = disk.createWorkFile(aside, bytes);
        failed = aside;
    }
    const bool kept = result == FileOps::Result::Ok;
    m_drawFile.close();
    if (kept) {
        result = disk.write(path, QByteArray());
        failed = path;
    }
    if (result == FileOps::Result::Ok) {
        m_drawFile.open(path);
        m_prompter.warn(kBadDrawFileTitle, kBadDrawFileText + QLatin1Char('\n') + kKeptCopyLine.arg(QDir::toNativeSeparators(aside)));
    } else {
        // Left closed: nothing is counted from it and no command writes it.
        m_prompter.warn(kBadDrawFileTitle, kBadDrawFileText + QLatin1Char('\n')
                            + (kept ? kKeptCopyLine.arg(QDir::toNativeSeparators(aside)) + QLatin1Char(' ') : QString())
                            + fileErrorText(result, failed));
    }
    m_rejecting = true;
    ++m_rejectedDrawFiles;
    updateStatus();
    refreshDraws();
    m_rejecting = false;
}

void Session::setDrawsToShow(int draws)
{
    draws = std::clamp(draws, 1, m_status.scrollMaximum);
    if (draws == m_drawsToShow)
        return;
    m_drawsToShow = draws;
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::presetDrawsToShow(int draws)
{
    draws = std::clamp(draws, 1, m_status.scrollMaximum);
    if (draws == m_drawsToShow)
        return;
    m_drawsToShow = draws;
    emit viewOptionsChanged();
}

void Session::setHistorico(bool on)
{
    if (on == m_historico)
        return;
    m_historico = on;
    setStoredDrawsNotice(QString());
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::setSoloPremio(bool on)
{
    if (on == m_soloPremio)
        return;
    m_soloPremio = on;
    emit viewOptionsChanged();
    refreshDraws();
}

void Session::applyViewOptions(int draws, bool historico, bool soloPremio)
{
    draws = std::clamp(draws, 1, m_status.scrollMaximum);
    if (draws == m_drawsToShow && historico == m_historico && soloPremio == m_soloPremio)
        return;
    if (historico != m_historico)
        setStoredDrawsNotice(QString());
    m_drawsToShow = draws;
    m_historico = historico;
    m_soloPremio = soloPremio;
    emit viewOptionsChanged();
    refreshDraws();
}

bool Session::checkSyndicateChosen(int record) const
{
    if (record != 0)
        return true;
    m_prompter.inform(QStringLiteral("¡Nooooo!"), QStringLiteral("Seleccione una peña primero..."));
    return false;
}

void Session::mainWindowActivated()
{
    if (++m_firstShowCount == 1 && m_syndicateFile.count() == 0) {
        if (m_drawFile.count() == 0) {
            // An empty directory: the shipped history is one click away,
            // never a download from the game's first year.
            Prompter::WaysIn ways;
            ways.shippedHistory = true;
            ways.historyFile = bundledDrawFile(QCoreApplication::applicationDirPath());
            const Prompter::WayIn chosen = m_prompter.offerWaysIn(Prompter::Icon::Information, kWelcomeTitle,
                                                                  kWelcomeText + QStringLiteral("\n\n") + kWelcomeNoDraws, ways);
            if (chosen != Prompter::WayIn::None)
                emit wayInChosen(chosen);
        } else {
            m_prompter.inform(kWelcomeTitle, kWelcomeText);
        }
    }
    showNewestDraw();
}
