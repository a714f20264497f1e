#include "output.h"

#include "exitcodes.h"

#include "base/plural.h"
#include "core/session.h"
#include "store/outcome.h"
#include "store/outputfile.h"
#include "wording/outcomewording.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>

namespace
{
    // The cause of the first write that failed; 0 while none did.
    int g_firstError = 0;

    void remember(int error)
    {
        if (g_firstError == 0)
            g_firstError = error != 0 ? error : EIO;
    }

    QString causeText(int error)
    {
        switch (error) {
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("no queda espacio en el disco");
        case EFBIG:
            return QStringLiteral("el fichero ha llegado al tamaño máximo");
        case EPIPE:
            return QStringLiteral("el programa que la recibía la ha cerrado");
        case EBADF:
            return QStringLiteral("la salida estándar está cerrada");
        case EACCES:
        case EPERM:
            return QStringLiteral("permiso denegado");
        case EIO:
            return QStringLiteral("error de entrada/salida del dispositivo");
        default:
            return QStringLiteral("error del sistema %1").arg(error);
        }
    }
}

void Cli::writeOut(std::string_view bytes, std::FILE *out)
{
    if (bytes.empty())
        return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        remember(errno);
}

void Cli::writeOut(const QByteArray &bytes)
{
    writeOut(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void Cli::flushOut(std::FILE *out)
{
    errno = 0;
    if (std::fflush(out) != 0)
        remember(errno);
}

QString Cli::lostOutputText()
{
    flushOut(stdout);
    // Whatever wrote around writeOut left its mark on the stream.
    if (std::ferror(stdout))
        remember(errno);
    if (g_firstError == 0)
        return {};
    return QStringLiteral("No se pudo escribir la salida: %1. Lo escrito está incompleto.").arg(causeText(g_firstError));
}

QString Cli::outputFileRefusal(const QString &path, const QString &dataDir, bool yes)
{
    const OutputFile::Check target = OutputFile::check(path, dataDir);
    QString refused = OutputFile::refusal(target, path, yes);
    if (!refused.isEmpty() && target.verdict == OutputFile::Verdict::Existing)
        refused += QStringLiteral(" Para sustituirlo, repita la orden con --yes.");
    return refused;
}

void Cli::printLine(const QString &text)
{
    writeOut(text.toUtf8() + '\n');
}

void Cli::printJson(const QJsonObject &object)
{
    writeOut(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

void Cli::printJsonLine(const QJsonObject &object)
{
    writeOut(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void Cli::printBox(const QString &title, const QString &text)
{
    const QByteArray line = (title + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
}

int Cli::report(Prompter &surface, const Outcome &outcome)
{
    for (const OutcomeBox &box : outcomeBoxes(outcome))
        surface.show(box.icon, box.title, box.text);
    return Exit::of(outcome);
}

void Cli::printMessage(const QString &text)
{
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
}

bool Cli::knownSyndicate(const Session &session, int record)
{
    const int count = int(session.syndicates().records().size());
    if (record <= count)
        return true;
    printMessage(QStringLiteral("No existe la peña %1: hay %2.").arg(record).arg(savedSyndicatesText(count)));
    return false;
}
