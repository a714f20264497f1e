#include "jsondatafile.h"

#include <QFileInfo>

JsonDataFileLoad loadJsonDataFile(FileOps &files, const QString &path, qint64 maxBytes, const QString &asideName,
                                  const std::function<bool(const QByteArray &bytes, bool *newer)> &parse)
{
    using Outcome = JsonDataFileLoad::Outcome;
    JsonDataFileLoad load;
    // A link the rule does not follow (another user's file, a loop) is
    // neither read nor written: linkRefusalText says why.
    if (checkLink(path).refused())
        return load;
    const bool link = QFileInfo(path).isSymLink();
    const QFileInfo info(writeTarget(path));
    if (!info.exists()) {
        // A dangling link is written through, as it is for the record files.
        load.outcome = Outcome::Ok;
        load.writable = true;
        return load;
    }
    if (!info.isFile())
        return load;

    QByteArray bytes;
    const bool small = info.size() <= maxBytes;
    if (small || link) {
        if (!small || !files.read(path, &bytes))
            return load;
        bool newer = false;
        if (parse(bytes, &newer)) {
            load.outcome = Outcome::Ok;
            load.writable = true;
            return load;
        }
        // A later Quorvale's file is sound; it is not ours to rewrite.
        if (newer)
            return load;
    }

    if (link) {
        // Until the next write empties the target, every start finds the
        // same damage: the copy made the first time is enough.
        QString aside = sameCopyAside(path, asideName, bytes);
        if (aside.isEmpty()) {
            aside = freeAsidePath(path, asideName);
            if (files.createWorkFile(aside, bytes) != FileOps::Result::Ok)
                return load;
        }
        load.setAside = aside;
    } else {
        load.setAside = setFileAside(files, path, asideName);
        if (load.setAside.isEmpty())
            return load;
    }
    load.outcome = Outcome::SetAside;
    load.writable = true;
    return load;
}
