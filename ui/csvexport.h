#pragma once

#include <QString>

class FileChooser;
class Prompter;
class QAbstractItemModel;

// Every statistics table can be saved as it is shown (its order, its
// filter) for a spreadsheet: semicolons between fields, as Spanish
// spreadsheets expect with decimal commas, UTF-8 marked as such.
namespace CsvExport
{
    // The header and every row of the model's display texts.
    QString tableText(const QAbstractItemModel &model);
    // Asks where (suggestedName first) and writes the table there; a file
    // that cannot be written is told through the prompter. False when
    // nothing was written (cancelled or failed).
    bool save(const QAbstractItemModel &model, const QString &suggestedName, FileChooser &chooser, Prompter &prompter);
}
