#include "desktopseams.h"

#include "core/datadir.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QDir>
#include <QFileDialog>

void DesktopUrlOpener::open(const QUrl &address)
{
    QDesktopServices::openUrl(address);
}

QString DialogFileChooser::chooseDrawFile()
{
    // The shipped history is two clicks away: the dialog opens where it lies.
    const QString bundled = bundledDrawFile(QApplication::applicationDirPath());
    const QString start = bundled.isEmpty() ? QDir::homePath() : QFileInfo(bundled).absolutePath();
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Seleccione el archivo NUMEROS.DAT"), start,
                                        QStringLiteral("Archivos de sorteos (numeros.dat NUMEROS.DAT Numeros.dat)"));
}

QString DialogFileChooser::choosePdfFile(const QString &suggestedName)
{
    const QString start = QDir(QDir::homePath()).filePath(suggestedName);
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("Guardar como PDF"), start,
                                        QStringLiteral("Documentos PDF (*.pdf)"));
}
