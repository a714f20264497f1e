#include "maintenance.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "session.h"
#include "base/urlopener.h"
#include "store/drawfilecheck.h"
#include "store/fileops.h"
#include "store/oledate.h"

#include <QFileInfo>

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
    constexpr int kErrorPermission = 70;
    constexpr int kErrorFileAccess = 75;

    int errorNumber(FileOps::Result result)
    {
        return result == FileOps::Result::PermissionDenied ? kErrorPermission : kErrorFileAccess;
    }
}

Maintenance::Maintenance(Session &session, FileOps &files, UrlOpener &browser)
    : m_session(session)
    , m_files(files)
    , m_browser(browser)
{
}

void Maintenance::showPermissionError()
{
    m_session.prompter().warn(
        QStringLiteral("Error de permiso"),
        QStringLiteral("Para modificar el archivo necesita permiso de Administrador.\r\n"
                       "Cierre el programa y ejecútelo en modo Administrador y repita la operación.\r\n"
                       "(Encima del icono, botón derecho y elija \"Ejecutar como administrador\")"));
}

bool Maintenance::reportFailure(FileOps::Result result)
{
    if (result == FileOps::Result::Ok)
        return false;
    if (result == FileOps::Result::PermissionDenied)
        showPermissionError();
    return true;
}

FileOps::Result Maintenance::replaceThroughWorkFile(const QString &work, const QString &target, const QByteArray &bytes)
{
    FileOps::Result result = m_files.write(work, bytes);
    if (result == FileOps::Result::Ok)
        result = m_files.replace(work, target);
    if (result != FileOps::Result::Ok)
        m_files.remove(work); // never left behind half-used
    return result;
}

void Maintenance::importDraws(const QString &chosenPath)
{
    Prompter &prompter = m_session.prompter();
    if (chosenPath.isEmpty()) {
        if (prompter.ask(QStringLiteral("Quorvale"),
                         QStringLiteral("No se ha seleccionado ningún archivo. Recuerde que puede disponer de TODOS "
                                        "LOS SORTEOS DESDE LA CREACIÓN DEL GORDO DE LA PRIMITIVA, obteniéndolo desde "
                                        "nuestra tienda virtual. ¿Quiere ir?")))
            m_browser.open(m_session.endpoints().shopPage);
        return;
    }

    const QString drawPath = m_session.dataPath(Session::kDrawFile);
    const QFileInfo chosen(chosenPath);
    if (chosen.exists() && chosen.canonicalFilePath() == QFileInfo(drawPath).canonicalFilePath()) {
        prompter.warn(kOops, QStringLiteral("Ese archivo ya es el fichero de sorteos de Quorvale: no hay nada que importar."));
        return;
    }

    QByteArray bytes;
    if (!m_files.read(chosenPath, &bytes)) {
        prompter.warn(kOops, kNotADrawFile + QStringLiteral(" Error %1").arg(kErrorFileNotFound));
        return;
    }
    // The whole file is checked before anything is replaced.
    if (!isImportableDrawFile(bytes)) {
        prompter.warn(kOops, kNotADrawFile);
        return;
    }

    QByteArray current;
    m_files.read(drawPath, &current);
    FileOps::Result result = m_files.write(m_session.dataDir() + kDrawBackup, current);
    if (result == FileOps::Result::Ok)
        result = m_files.write(drawPath, bytes);
    if (result != FileOps::Result::Ok) {
        // Stopped at the first failure: numeros.dat is still the old file.
        prompter.warn(kOops, kNotADrawFile + QStringLiteral(" Error %1").arg(errorNumber(result)));
        return;
    }

    m_session.drawFile().open(drawPath);
    prompter.inform(QStringLiteral("Todos los sorteos"), QStringLiteral("Archivo de sorteos importado con éxito"));
    m_session.updateStatus();
    m_session.refreshDraws();
}

void Maintenance::deleteAllDraws()
{
    m_drawDeleteMode = true;
    Prompter &prompter = m_session.prompter();

    if (prompter.ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres borrar todos los sorteos?"))) {
        const QString drawPath = m_session.dataPath(Session::kDrawFile);
        if (reportFailure(m_files.write(drawPath, QByteArray())))
            return;
        m_session.drawFile().open(drawPath);
        m_session.updateStatus();
        m_session.refreshDraws();
    }

    if (prompter.ask(kDeleteTitle,
                     QStringLiteral("¿Quiere borrar también los aciertos de las peñas?. Si ha borrado los sorteos, se "
                                    "aconseja que se resetee también los resultados de las peñas y la fecha de creación "
                                    "pasará a ser la de hoy."))) {
        const double today = OleDate::fromDate(m_session.clock().today());
        const QByteArray old = m_session.syndicateFile().readAllRecords();
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
        if (reportFailure(m_files.write(path, reset)))
            return;
        m_session.syndicateFile().open(path);
        m_session.updateStatus();
    }
}

bool Maintenance::deleteDraw(int position)
{
    if (!m_drawDeleteMode || position < 1 || position > m_session.storedDraws())
        return false;
    if (!m_session.prompter().ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar este sorteo?")))
        return false;

    const qint64 k = m_session.nextDrawRecord() - position;
    const QByteArray old = m_session.drawFile().readAllRecords();
    QByteArray kept = old.left((k - 1) * DrawRecord::kSize) + old.mid(k * DrawRecord::kSize);

    const QString drawPath = m_session.dataPath(Session::kDrawFile);
    if (reportFailure(replaceThroughWorkFile(m_session.dataDir() + kDrawWorkFile, drawPath, kept)))
        return false;
    m_session.drawFile().open(drawPath);
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
    const QByteArray old = m_session.syndicateFile().readAllRecords();
    const qint64 count = old.size() / SyndicateRecord::kSize;
    if (record < 1 || record > count)
        return false;
    const SyndicateRecord doomed = SyndicateRecord::fromBytes(old.sliced((record - 1) * SyndicateRecord::kSize, SyndicateRecord::kSize));
    if (!prompter.ask(kDeleteTitle, QStringLiteral("¿Seguro que quieres eliminar la Peña %1?").arg(doomed.name())))
        return false;

    const QByteArray kept = old.left((record - 1) * SyndicateRecord::kSize) + old.mid(record * SyndicateRecord::kSize);
    const QString path = m_session.dataPath(Session::kSyndicateFile);
    if (reportFailure(replaceThroughWorkFile(m_session.dataPath(Session::kSyndicateWorkFile), path, kept)))
        return false;
    m_session.syndicateFile().open(path);
    m_session.updateStatus();
    return true;
}
