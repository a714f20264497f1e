#include "pdffileprinter.h"

#include "paintersurface.h"

#include "store/fileops.h"
#include "store/outputfile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <utility>

namespace
{
    constexpr int kResolution = 1200;
}

PdfFilePrinter::PdfFilePrinter(QString path, QString title)
    : m_path(std::move(path))
    , m_title(std::move(title))
    , m_layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())
{
}

bool PdfFilePrinter::print(const Job &job)
{
    m_error.clear();
    // Fonts come from the window system's font database.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_error = QStringLiteral("No se pueden cargar las fuentes para imprimir.");
        return false;
    }
    QByteArray document;
    {
        QBuffer buffer(&document);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setCreator(QStringLiteral("Quorvale"));
        writer.setTitle(m_title);
        writer.setPageLayout(m_layout);
        PainterSurface surface(writer);
        if (!surface.isActive()) {
            m_error = QStringLiteral("No se puede escribir el fichero %1.").arg(m_path);
            return false;
        }
        job(surface);
        surface.end();
    }
    DiskFileOps files;
    m_error = OutputFile::write(files, m_path, document);
    return m_error.isEmpty();
}
