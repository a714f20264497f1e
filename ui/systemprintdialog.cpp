#include "systemprintdialog.h"

#include "print/paintersurface.h"
#include "print/pdffileprinter.h"
#include "store/outputfile.h"

#include <QPrintDialog>
#include <QPrinter>

bool SystemPrintDialog::print(const Job &job)
{
    m_error.clear();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Quorvale"));
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    // Printing to a file stays: without it the dialog still offers a file
    // printer, with an empty name box and "Imprimir" enabled.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // The dialog itself asked before an existing file is replaced.
        const QString path = printer.outputFileName();
        m_error = OutputFile::refusal(path, m_dataDir, true);
        if (!m_error.isEmpty())
            return false;
        PdfFilePrinter file(path, printer.docName());
        file.setPageLayout(printer.pageLayout());
        const bool printed = file.print(job);
        m_error = file.errorString();
        return printed;
    }
    PainterSurface surface(printer);
    if (!surface.isActive()) {
        m_error = QStringLiteral("No se ha podido empezar a imprimir: la impresora elegida no está disponible o no "
                                 "responde. Compruebe que está encendida y conectada, o use \"Guardar como PDF…\".");
        return false;
    }
    job(surface);
    surface.end();
    return true;
}
