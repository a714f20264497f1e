#pragma once

#include "printdialog.h"

#include <QString>

// Prints into a PDF file on A4 paper, without margins, so a position on the
// page is the position the job asked for. The file is replaced whole, or not
// at all when the job cannot be written.
class PdfFilePrinter final : public PrintDialog
{
public:
    explicit PdfFilePrinter(QString path, QString title = {});

    bool print(const Job &job) override;
    // Why the last print() failed, in Spanish; empty after a success.
    QString errorString() const override { return m_error; }

private:
    QString m_path;
    QString m_title;
    QString m_error;
};
