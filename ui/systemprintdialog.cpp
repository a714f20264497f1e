#include "systemprintdialog.h"

#include "print/paintersurface.h"

#include <QPrintDialog>
#include <QPrinter>

bool SystemPrintDialog::print(const Job &job)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Quorvale"));
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    PainterSurface surface(printer);
    if (!surface.isActive())
        return false;
    job(surface);
    surface.end();
    return true;
}
