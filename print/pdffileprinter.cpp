#include "pdffileprinter.h"

#include "paintersurface.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <utility>

namespace
{
    constexpr int kResolution = 1200;
}

PdfFilePrinter::PdfFilePrinter(QString path, QString title) : m_path(std::move(path)), m_title(std::move(title)) {}

bool PdfFilePrinter::print(const Job &job)
{
    m_error.clear();
    // Fonts come from the window system's font database.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_error = QStringLiteral("No se pueden cargar las fuentes para imprimir.");
        return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("No se puede escribir el fichero %1: %2").arg(m_path, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kResolution);
        writer.setCreator(QStringLiteral("Quorvale"));
        writer.setTitle(m_title);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        PainterSurface surface(writer);
        if (!surface.isActive()) {
            file.cancelWriting();
            m_error = QStringLiteral("No se puede escribir el fichero %1.").arg(m_path);
            return false;
        }
        job(surface);
        surface.end();
    }
    // commit() alone reports success when its final flush hit a full disk.
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit()) {
        m_error = QStringLiteral("No se puede escribir el fichero %1: %2").arg(m_path, file.errorString());
        return false;
    }
    return true;
}
