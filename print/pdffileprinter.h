#pragma once

#include "printdialog.h"

#include <QPageLayout>
#include <QString>

// Prints into a PDF file, by default on A4 paper without margins, so a
// position on the page is the position the job asked for. The document is
// made in memory and then written through the checked write path: the file
// is replaced whole, or not at all when the job or the disk fails. Where the
// file may go (OutputFile::check) is for the caller to have asked first.
class PdfFilePrinter final : public PrintDialog
{
public:
    explicit PdfFilePrinter(QString path, QString title = {});

    // The page size and margins of a printer chosen in the print dialog.
    void setPageLayout(const QPageLayout &layout) { m_layout = layout; }

    bool print(const Job &job) override;
    // Why the last print() failed, in Spanish; empty after a success.
    QString errorString() const override { return m_error; }

private:
    QString m_path;
    QString m_title;
    QPageLayout m_layout;
    QString m_error;
};
