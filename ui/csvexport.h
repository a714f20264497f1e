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
    // Asks where (suggestedName first) and writes the table there through
    // the checked write path; a file inside dataDir, one that is not a
    // regular file, or one that cannot be written is told through the
    // prompter. The dialog asked before an existing file is replaced. False
    // when nothing was written (cancelled, refused or failed).
    bool save(const QAbstractItemModel &model, const QString &suggestedName, FileChooser &chooser, Prompter &prompter,
              const QString &dataDir);
}
