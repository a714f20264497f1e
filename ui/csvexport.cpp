#include "csvexport.h"

#include "base/filechooser.h"
#include "base/prompter.h"

#include <QAbstractItemModel>
#include <QSaveFile>

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

bool CsvExport::save(const QAbstractItemModel &model, const QString &suggestedName, FileChooser &chooser, Prompter &prompter)
{
    const QString path = chooser.chooseCsvFile(suggestedName);
    if (path.isEmpty())
        return false;
    // The byte-order mark lets spreadsheets read the accents as UTF-8.
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + tableText(model).toUtf8();
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    // A full disk shows at the final flush: checked before the file takes the old one's place.
    written = written && file.flush() && file.error() == QFileDevice::NoError && file.commit();
    if (!written) {
        prompter.warn(QStringLiteral("Error de escritura"),
                      QStringLiteral("No se ha podido guardar %1:\n%2").arg(path, file.errorString()));
        file.cancelWriting();
    }
    return written;
}
