#include "memberfile.h"

#include "nametext.h"
#include "syndicaterecord.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <algorithm>
#include <set>

namespace
{
    const QString kFormat = QStringLiteral("quorvale-socios");
    const QLatin1String kFormatField("formato");
    const QLatin1String kVersionField("version");
    const QLatin1String kSyndicatesField("penas");
    const QLatin1String kFingerprintField("huella");
    const QLatin1String kOccurrenceField("repeticion");
    const QLatin1String kSyndicateNameField("nombre");
    const QLatin1String kMembersField("socios");
    const QLatin1String kNameField("nombre");
    const QLatin1String kSharesField("participaciones");

    // A whole JSON number within [low, high].
    std::optional<int> wholeNumber(const QJsonValue &value, int low, int high)
    {
        if (!value.isDouble())
            return std::nullopt;
        const double d = value.toDouble();
        if (!(d >= low && d <= high) || double(int(d)) != d)
            return std::nullopt;
        return int(d);
    }

    bool isFingerprint(const QString &text)
    {
        return text.size() == 40
            && std::all_of(text.begin(), text.end(), [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
    }

    // What a file written by any version may hold: names kept before the
    // rules of nameProblem() existed stay readable, as they were typed.
    bool isStoredName(const QString &name)
    {
        const QList<uint> codePoints = name.toUcs4();
        if (name.trimmed() != name || codePoints.isEmpty() || codePoints.size() > MemberFile::kMaxNameLength)
            return false;
        for (uint c : codePoints) {
            const QChar::Category category = QChar::category(char32_t(c));
            if (category == QChar::Other_Control || category == QChar::Other_Surrogate || category == QChar::Other_NotAssigned
                || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
                return false;
        }
        return true;
    }

    bool readMembers(const QJsonValue &value, std::vector<Member> *members)
    {
        if (!value.isArray() || value.toArray().isEmpty())
            return false;
        std::set<QString> names;
        for (const QJsonValue &item : value.toArray()) {
            if (!item.isObject())
                return false;
            const QJsonObject object = item.toObject();
            const QJsonValue name = object.value(kNameField);
            const auto shares = wholeNumber(object.value(kSharesField), 1, MemberFile::kMaxShares);
            if (!name.isString() || !shares || !isStoredName(name.toString()) || !names.insert(name.toString()).second)
                return false;
            members->push_back({name.toString(), *shares});
        }
        return true;
    }
}

QByteArray MemberFile::fingerprint(const SyndicateRecord &syndicate)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArrayView(syndicate.nameBytes.data(), qsizetype(syndicate.nameBytes.size())));
    for (const auto &bet : syndicate.bets) {
        for (std::int16_t number : bet) {
            char bytes[2];
            qToLittleEndian<std::int16_t>(number, bytes);
            hash.addData(QByteArrayView(bytes, 2));
        }
    }
    char kind[2];
    qToLittleEndian<std::int16_t>(syndicate.kind, kind);
    hash.addData(QByteArrayView(kind, 2));
    return hash.result().toHex();
}

std::vector<MemberFile::Key> MemberFile::keysOf(std::span<const SyndicateRecord> syndicates)
{
    std::vector<Key> keys;
    keys.reserve(syndicates.size());
    std::map<QByteArray, int> seen;
    for (const SyndicateRecord &syndicate : syndicates) {
        QByteArray print = fingerprint(syndicate);
        const int occurrence = ++seen[print];
        keys.push_back({std::move(print), occurrence});
    }
    return keys;
}

MemberFile::MemberFile(FileOps &files)
    : m_files(files)
{
}

MemberFile::Load MemberFile::load(const QString &path)
{
    m_path = path;
    m_entries.clear();
    const JsonDataFileLoad load = loadJsonDataFile(m_files, path, kMaxBytes, QString::fromLatin1(kRejectedName),
                                                   [this](const QByteArray &bytes, bool *newer) {
                                                       if (parse(bytes, &m_entries, newer))
                                                           return true;
                                                       m_entries.clear();
                                                       return false;
                                                   });
    m_setAside = load.setAside;
    m_writable = load.writable;
    return load.outcome;
}

std::vector<Member> MemberFile::members(const Key &key) const
{
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? std::vector<Member> {} : it->second.members;
}

void MemberFile::setMembers(const Key &key, const QString &syndicateName, std::vector<Member> members)
{
    if (members.empty()) {
        m_entries.erase(key);
        return;
    }
    m_entries[key] = {syndicateName, std::move(members)};
}

bool MemberFile::syndicateDeleted(const Key &key)
{
    bool changed = m_entries.erase(key) > 0;
    // The map is ordered by fingerprint, then occurrence: the later twins
    // follow the deleted one.
    Entries moved;
    for (auto it = m_entries.upper_bound(key); it != m_entries.end() && it->first.fingerprint == key.fingerprint;) {
        moved.emplace(Key {it->first.fingerprint, it->first.occurrence - 1}, std::move(it->second));
        it = m_entries.erase(it);
        changed = true;
    }
    m_entries.merge(moved);
    return changed;
}

FileOps::Result MemberFile::save()
{
    if (!m_writable || m_path.isEmpty())
        return FileOps::Result::Failed;
    return m_files.write(m_path, serialize(m_entries));
}

QString MemberFile::normalizedName(const QString &name)
{
    const QString trimmed = NameText::composed(name).trimmed();
    QString kept;
    kept.reserve(trimmed.size());
    bool blank = false;
    for (QChar c : trimmed) {
        // Two spaces, or a no-break space, look like one.
        if (c.category() == QChar::Separator_Space) {
            blank = true;
            continue;
        }
        if (blank)
            kept.append(QLatin1Char(' '));
        blank = false;
        kept.append(c);
    }
    return kept;
}

bool MemberFile::isValidName(const QString &name)
{
    return nameProblem(name) == NameRule::Fits;
}

NameRule MemberFile::nameProblem(const QString &name)
{
    const qsizetype length = name.toUcs4().size();
    if (length < 1 || length > kMaxNameLength)
        return NameRule::OutOfLength;
    return NameText::forbiddenCharacters(name).isEmpty() ? NameRule::Fits : NameRule::Forbidden;
}

QString MemberFile::nameKey(const QString &name)
{
    return NameText::composed(normalizedName(name).toCaseFolded());
}

QByteArray MemberFile::serialize(const Entries &entries)
{
    QJsonArray list;
    for (const auto &[key, entry] : entries) {
        QJsonArray members;
        for (const Member &member : entry.members)
            members.append(QJsonObject {{kNameField, member.name}, {kSharesField, member.shares}});
        QJsonObject object;
        object.insert(kFingerprintField, QString::fromLatin1(key.fingerprint));
        object.insert(kOccurrenceField, key.occurrence);
        object.insert(kSyndicateNameField, entry.syndicateName);
        object.insert(kMembersField, members);
        list.append(object);
    }
    QJsonObject root;
    root.insert(kFormatField, kFormat);
    root.insert(kVersionField, kVersion);
    root.insert(kSyndicatesField, list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool MemberFile::parse(const QByteArray &bytes, Entries *entries, bool *newer)
{
    entries->clear();
    if (newer)
        *newer = false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject root = document.object();
    if (root.value(kFormatField).toString() != kFormat)
        return false;
    const auto version = wholeNumber(root.value(kVersionField), 1, 1 << 30);
    if (!version)
        return false;
    if (*version > kVersion) {
        if (newer)
            *newer = true;
        return false;
    }
    const QJsonValue list = root.value(kSyndicatesField);
    if (!list.isArray())
        return false;
    for (const QJsonValue &value : list.toArray()) {
        const QJsonObject object = value.toObject();
        const QString print = object.value(kFingerprintField).toString();
        const auto occurrence = wholeNumber(object.value(kOccurrenceField), 1, 1 << 20);
        const QJsonValue name = object.value(kSyndicateNameField);
        Entry entry;
        if (!value.isObject() || !isFingerprint(print) || !occurrence || !name.isString()
            || !readMembers(object.value(kMembersField), &entry.members)) {
            entries->clear();
            return false;
        }
        entry.syndicateName = name.toString();
        if (!entries->emplace(Key {print.toLatin1(), *occurrence}, std::move(entry)).second) {
            entries->clear();
            return false;
        }
    }
    return true;
}
