#include "session.h"

#include "clock.h"
#include "prompter.h"
#include "store/oledate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace
{
    const QString kWelcomeTitle = QStringLiteral("Fichero de peñas vacío");
    const QString kWelcomeText = QStringLiteral(
        "Bienvenido a Quorvale. Vaya a la pestaña 'Gestor de Peñas' y cree una. "
        "La peña creada empezará a almacenar resultados a partir de hoy. Si quieres ver "
        "los resultados de la peña en sorteos anteriores, marque la casilla 'Histórico' "
        "de la pestaña 'General'.");
    const QString kBadDrawFileTitle = QStringLiteral("Error de lectura");
    const QString kBadDrawFileText = QStringLiteral(
        "Archivo de números ganadores no válido. ¡Se perderán los sorteos grabados!.");

    void touch(const QString &path)
    {
        QFile file(path);
        if (!file.exists())
            file.open(QIODevice::WriteOnly);
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

    // Left over from a syndicate deletion that never finished; never read.
    QFile::remove(dataPath(kSyndicateWorkFile));

    openFiles();
    loadCalibration();
    updateStatus();
    refreshDraws();
    return true;
}

void Session::shutdown()
{
    m_syndicateFile.close();
    m_drawFile.close();
    m_calibrationFile.close();
}

void Session::openFiles()
{
    m_syndicateFile.open(dataPath(kSyndicateFile));
    m_drawFile.open(dataPath(kDrawFile));
    touch(dataPath(kSearchPage));
    touch(dataPath(kDrawPage));
}

void Session::loadCalibration()
{
    // A file shorter than one record counts as empty and gets a zeroed record.
    if (!m_calibrationFile.open(dataPath(kCalibrationFile)))
        return;
    if (m_calibrationFile.count() == 0)
        m_calibrationFile.put(1, PrintCalibration {});
    m_calibration = m_calibrationFile.get(1);
}

void Session::updateStatus()
{
    const QByteArray drawBytes = m_drawFile.readAllRecords();
    const int draws = int(std::min<qsizetype>(drawBytes.size() / DrawRecord::kSize,
                                              std::numeric_limits<std::int16_t>::max() - 1));

    // A draw is played by the syndicates as a whole when it is not older than
    // the oldest creation date; with no syndicate no draw is.
    const QByteArray syndicateBytes = m_syndicateFile.readAllRecords();
    double oldestCreation = std::numeric_limits<double>::infinity();
    for (qsizetype at = 0; at + SyndicateRecord::kSize <= syndicateBytes.size(); at += SyndicateRecord::kSize) {
        const auto syndicate = SyndicateRecord::fromBytes(syndicateBytes.sliced(at, SyndicateRecord::kSize));
        oldestCreation = std::min(oldestCreation, syndicate.createdOn);
    }

    m_drawsSinceFirstSyndicate = 0;
    for (int n = 0; n < draws; ++n) {
        const auto draw = DrawRecord::fromBytes(drawBytes.sliced(qsizetype(n) * DrawRecord::kSize, DrawRecord::kSize));
        if (draw.date >= oldestCreation)
            ++m_drawsSinceFirstSyndicate;
    }

    m_nextDrawRecord = draws + 1;
    m_drawBuffer = draws > 0 ? DrawRecord::fromBytes(drawBytes.sliced(qsizetype(draws - 1) * DrawRecord::kSize, DrawRecord::kSize))
                             : DrawRecord {};

    m_status = describeDrawStatus(m_drawBuffer.date, draws, m_clock.today());
    m_drawsToShow = std::clamp(m_drawsToShow, 1, m_status.scrollMaximum);

    loadSyndicateList();
    emit statusChanged();
}

void Session::loadSyndicateList()
{
    m_syndicates.clear();
    const QByteArray bytes = m_syndicateFile.readAllRecords();
    for (qsizetype at = 0; at + SyndicateRecord::kSize <= bytes.size(); at += SyndicateRecord::kSize)
        m_syndicates.push_back(SyndicateRecord::fromBytes(bytes.sliced(at, SyndicateRecord::kSize)));
    m_nextSyndicateRecord = int(m_syndicates.size()) + 1;
    m_syndicateCountText = QString::number(m_syndicates.size());
    emit syndicatesChanged();
}

void Session::refreshDraws()
{
    loadDrawList();
}

void Session::loadDrawList()
{
    const bool ok = m_drawList.load(m_drawFile.readAllRecords()) && !m_drawFile.hasPartialTail();
    if (!ok && m_drawFile.isOpen() && !m_rejecting) {
        rejectDrawFile();
        return;
    }
    emit drawListChanged();
}

QString Session::freeRejectName() const
{
    QString name = dataPath(kRejectedDrawFile);
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = dataPath(kRejectedDrawFile) + QLatin1Char('.') + QString::number(n);
    return name;
}

void Session::rejectDrawFile()
{
    m_prompter.warn(kBadDrawFileTitle, kBadDrawFileText);

    // The player's draws are kept under another name, never destroyed; only
    // when they are safe does an empty file take their place.
    const QString path = dataPath(kDrawFile);
    m_drawFile.close();
    m_rejecting = true;
    if (QFile::rename(path, freeRejectName()))
        m_drawFile.open(path);
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

void Session::setHistorico(bool on)
{
    if (on == m_historico)
        return;
    m_historico = on;
    m_storedDrawsNotice.clear();
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

void Session::mainWindowActivated()
{
    if (++m_firstShowCount == 1 && m_syndicateFile.count() == 0)
        m_prompter.inform(kWelcomeTitle, kWelcomeText);
}
