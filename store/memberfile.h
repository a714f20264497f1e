#pragma once

#include "fileops.h"
#include "jsondatafile.h"
#include "nametext.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <span>
#include <utility>
#include <vector>

struct SyndicateRecord;

// One person of a peña and how many shares of it they hold.
struct Member
{
    QString name;
    int shares = 1;
    bool operator==(const Member &) const = default;
};

// The members of every peña, kept beside apuestas.dat in socios.json (format
// in docs/socios.md); apuestas.dat keeps its records unchanged. A peña is
// known here by what never changes in its record (name, bets, key, kind), so
// that its members stay with it when other peñas are created or deleted;
// identical peñas are told apart by their order in the file. The file is read
// whole at start-up and rewritten whole, atomically, after each change. One
// that cannot be understood is set aside under socios.invalido (.2, .3 ...)
// and an empty set takes its place.
class MemberFile
{
public:
    static constexpr const char *kFileName = "socios.json";
    static constexpr const char *kRejectedName = "socios.invalido";
    static constexpr int kVersion = 1;
    static constexpr int kMaxNameLength = 40; // characters (code points)
    static constexpr int kMaxShares = 999;
    // Far beyond any real list of members; a larger file is not read.
    static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

    using Load = JsonDataFileLoad::Outcome;

    struct Key
    {
        QByteArray fingerprint; // hex SHA-1 of the record's lasting bytes
        int occurrence = 1; // among the records with that fingerprint, from 1
        bool operator==(const Key &) const = default;
        bool operator<(const Key &other) const
        {
            return fingerprint != other.fingerprint ? fingerprint < other.fingerprint : occurrence < other.occurrence;
        }
    };
    static QByteArray fingerprint(const SyndicateRecord &syndicate);
    // The key of every record, in file order.
    static std::vector<Key> keysOf(std::span<const SyndicateRecord> syndicates);

    explicit MemberFile(FileOps &files);

    Load load(const QString &path);
    QString path() const { return m_path; }
    QString setAsidePath() const { return m_setAside; }
    bool writable() const { return m_writable; }

    std::vector<Member> members(const Key &key) const;
    // Replaces a peña's list in memory (an empty list forgets the peña);
    // save() writes. syndicateName is kept only to make the file readable.
    void setMembers(const Key &key, const QString &syndicateName, std::vector<Member> members);
    // The peña of key is gone: its members go too, and the later peñas that
    // shared its fingerprint move up one place. True when that changed
    // anything.
    bool syndicateDeleted(const Key &key);
    FileOps::Result save();

    // The name as kept: composed (NFC), blanks around it dropped and each
    // run of blanks inside it made one space. Valid when it has 1 to
    // kMaxNameLength characters and none that NameText forbids;
    // nameProblem() is the rule it breaks (OutOfLength, Forbidden), or Fits.
    static QString normalizedName(const QString &name);
    static bool isValidName(const QString &name);
    static NameRule nameProblem(const QString &name);
    // Two names are one member when they are equal once normalised and
    // case-folded ("José", "JOSÉ", "Jose" with its accent apart).
    static QString nameKey(const QString &name);
    static bool sameName(const QString &a, const QString &b) { return nameKey(a) == nameKey(b); }
    static bool isValidShares(int shares) { return shares >= 1 && shares <= kMaxShares; }

    struct Entry
    {
        QString syndicateName;
        std::vector<Member> members;
        bool operator==(const Entry &) const = default;
    };
    using Entries = std::map<Key, Entry>;
    static QByteArray serialize(const Entries &entries);
    // False for anything that is not a whole, valid file of this format;
    // *newer is set when the file says it is of a later version.
    static bool parse(const QByteArray &bytes, Entries *entries, bool *newer = nullptr);

private:
    FileOps &m_files;
    QString m_path;
    QString m_setAside;
    bool m_writable = true;
    Entries m_entries;
};
