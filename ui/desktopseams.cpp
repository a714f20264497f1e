#include "desktopseams.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>

void DesktopUrlOpener::open(const QUrl &address)
{
    QDesktopServices::openUrl(address);
}

QString DialogFileChooser::chooseDrawFile()
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Seleccione el archivo NUMEROS.DAT"), QDir::homePath(),
                                        QStringLiteral("Archivos de sorteos (numeros.dat NUMEROS.DAT Numeros.dat)"));
}
