#include "news.h"

#include "store/cp1252.h"
#include "store/oledate.h"
#include "webtransfer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace
{
    qint64 fileLength(const QString &path)
    {
        return QFileInfo(path).size();
    }
}

QUrl News::documentUrl(const Endpoints &endpoints)
{
    QUrl address = endpoints.makerServer;
    QString path = address.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    address.setPath(path + QStringLiteral("/ginforme.dat"));
    address.setQuery(QString());
    address.setFragment(QString());
    return address;
}

bool News::isDue(double newestDrawDate, QDate today)
{
    const QDate newest = OleDate::toDate(newestDrawDate);
    return newestDrawDate != OleDate::kNone && newest.isValid() && newest.addDays(3) <= today;
}

bool News::offerNews(qint64 lengthBefore, qint64 lengthAfter)
{
    return lengthAfter != lengthBefore && lengthAfter >= kMinOfferedLength;
}

News::Outcome News::checkNews(const CheckInput &input, WebTransfer &transfer)
{
    if (input.endpoints.makerServer.isEmpty())
        return Outcome::Off;
    if (!isDue(input.newestDrawDate, input.today))
        return Outcome::NotDue;
    const QString path = QDir(input.dataDir).filePath(QString::fromLatin1(kFileName));
    QFile file(path);
    if (!file.exists())
        file.open(QIODevice::WriteOnly);
    file.close();
    return fetchNews(input, transfer);
}

News::Outcome News::fetchNews(const CheckInput &input, WebTransfer &transfer)
{
    if (input.endpoints.makerServer.isEmpty())
        return Outcome::Off;
    if (input.syndicates <= 0)
        return Outcome::NoSyndicate;
    const QString path = QDir(input.dataDir).filePath(QString::fromLatin1(kFileName));
    const qint64 before = fileLength(path);
    if (!transfer.download(documentUrl(input.endpoints), path).ok())
        return Outcome::Unreachable;
    return offerNews(before, fileLength(path)) ? Outcome::Offer : Outcome::NothingNew;
}

bool News::worthShowing(const QString &filePath)
{
    return fileLength(filePath) > 10;
}

QString News::documentText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return Cp1252::decode(bytes);
}
