#include "desktopseams.h"

#include "helpwindow.h"

#include "core/datadir.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSystemTrayIcon>

void DesktopUrlOpener::open(const QUrl &address)
{
    if (address.isEmpty())
        return;
    // No browser or launcher here: the program shows it itself.
    if (!m_launch(address))
        HelpFallback::show(address, m_parent);
}

QString DialogFileChooser::chooseDrawFile()
{
    // The shipped history is two clicks away: the dialog opens where it lies.
    const QString bundled = bundledDrawFile(QApplication::applicationDirPath());
    const QString start = bundled.isEmpty() ? QDir::homePath() : QFileInfo(bundled).absolutePath();
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Seleccione el archivo NUMEROS.DAT"), start,
                                        QStringLiteral("Archivos de sorteos (numeros.dat NUMEROS.DAT Numeros.dat);;"
                                                       "Sorteos en texto: respuesta del servicio o CSV (*.json *.csv *.txt);;"
                                                       "Todos los archivos (*)"));
}

QString DialogFileChooser::choosePdfFile(const QString &suggestedName)
{
    const QString start = QDir(QDir::homePath()).filePath(suggestedName);
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("Guardar como PDF"), start,
                                        QStringLiteral("Documentos PDF (*.pdf)"));
}

QString DialogFileChooser::chooseCsvFile(const QString &suggestedName)
{
    const QString start = QDir(QDir::homePath()).filePath(suggestedName);
    return QFileDialog::getSaveFileName(m_parent, QStringLiteral("Guardar como CSV"), start,
                                        QStringLiteral("Tablas CSV (*.csv)"));
}

DesktopNotifier::DesktopNotifier() = default;

DesktopNotifier::~DesktopNotifier() = default;

bool DesktopNotifier::notify(const QString &title, const QString &body)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages()) {
        const bool shown = m_bus.notify(title, body);
        m_error = m_bus.errorString();
        return shown;
    }
    if (!m_tray) {
        m_tray = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
        m_tray->setToolTip(QStringLiteral("Quorvale"));
    }
    m_tray->show();
    m_tray->showMessage(title, body, QSystemTrayIcon::Information);
    m_error.clear();
    return true;
}
