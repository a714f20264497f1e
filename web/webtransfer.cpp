#include "webtransfer.h"

WebTransfer::~WebTransfer() = default;

TransferResult TransferResult::failure(Error error, const QString &text)
{
    TransferResult result;
    result.error = error;
    result.errorText = text;
    return result;
}

QString describeTransferError(const TransferResult &result)
{
    using E = TransferResult::Error;
    switch (result.error) {
    case E::None: return QStringLiteral("correcto");
    case E::Busy: return QStringLiteral("otra transferencia en curso");
    case E::BadAddress: return QStringLiteral("dirección no válida");
    case E::Network: return QStringLiteral("error de red: %1").arg(result.errorText);
    case E::Untrusted: return QStringLiteral("certificado no válido: %1").arg(result.errorText);
    case E::HttpStatus: return QStringLiteral("el servidor respondió %1").arg(result.httpStatus);
    case E::TimedOut: return QStringLiteral("el servidor no responde");
    case E::TooLarge: return QStringLiteral("respuesta demasiado grande");
    case E::Cancelled: return QStringLiteral("cancelada");
    case E::FileError: return QStringLiteral("no se pudo escribir el archivo: %1").arg(result.errorText);
    case E::Redirected: return QStringLiteral("redirección rechazada a %1").arg(result.errorText);
    }
    return {};
}
