#pragma once

#include "print/printdialog.h"

class QWidget;

// The system's print dialog, to a printer or a file, never of a selection.
// The job runs on the chosen printer in high resolution, its page origin
// where the printer's own margins put it (which the calibration allows for).
class SystemPrintDialog final : public PrintDialog
{
public:
    explicit SystemPrintDialog(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool print(const Job &job) override;
    QString errorString() const override { return m_error; }

private:
    QWidget *m_parent;
    QString m_error;
};
