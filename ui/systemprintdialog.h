#pragma once

#include "print/printdialog.h"

#include <QString>

class QWidget;

// The system's print dialog, to a printer or a file, never of a selection.
// The job runs on the chosen printer in high resolution, its page origin
// where the printer's own margins put it (which the calibration allows for).
// Printing to a file goes through the same checks and the same checked write
// as every file the user names: never into the data directory, never over a
// pipe or a device.
class SystemPrintDialog final : public PrintDialog
{
public:
    explicit SystemPrintDialog(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
    void setParent(QWidget *parent) { m_parent = parent; }
    // The data directory, where no printout may go.
    void setDataDir(const QString &dataDir) { m_dataDir = dataDir; }

    bool print(const Job &job) override;
    QString errorString() const override { return m_error; }

private:
    QWidget *m_parent;
    QString m_dataDir;
    QString m_error;
};
