#include "csvexport.h"

#include "base/filechooser.h"
#include "base/prompter.h"
#include "store/fileops.h"
#include "store/outputfile.h"

#include <QAbstractItemModel>

namespace
{
    QString field(QString text)
    {
        if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))) {
            text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            return QLatin1Char('"') + text + QLatin1Char('"');
        }
        return text;
    }
}

QString CsvExport::tableText(const QAbstractItemModel &model)
{
    QString text;
    QStringList line;
    for (int c = 0; c < model.columnCount(); ++c)
        line << field(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    text += line.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    for (int r = 0; r < model.rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < model.columnCount(); ++c)
            line << field(model.index(r, c).data(Qt::DisplayRole).toString());
        text += line.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return text;
}

bool CsvExport::save(const QAbstractItemModel &model, const QString &suggestedName, FileChooser &chooser, Prompter &prompter,
                     const QString &dataDir)
{
    const QString path = chooser.chooseCsvFile(suggestedName);
    if (path.isEmpty())
        return false;
    QString problem = OutputFile::refusal(path, dataDir, true);
    if (problem.isEmpty()) {
        // The byte-order mark lets spreadsheets read the accents as UTF-8.
        DiskFileOps files;
        problem = OutputFile::write(files, path, QByteArray("\xEF\xBB\xBF") + tableText(model).toUtf8());
    }
    if (!problem.isEmpty())
        prompter.warn(QStringLiteral("Error de escritura"), problem);
    return problem.isEmpty();
}
