// Names people type, of peñas and of members: what is refused and named in
// the message, and the spellings that are one member.

#include "base/clock.h"
#include "core/membership.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "core/wheelsyndicates.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/outcomewording.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{
    const QDate kToday(2026, 12, 8);
    const QString kUnseen = QStringLiteral(
        "El nombre contiene caracteres invisibles, de control o que cambian la dirección del texto, que no se admiten: ");
    const QString kUnstorable = QStringLiteral("El nombre contiene caracteres que no se pueden guardar: ");

    SyndicateRecord laFija()
    {
        return Fixtures::simpleSyndicate(QStringLiteral("LA FIJA"), {{1, 2, 3, 4, 5}}, 1, kToday);
    }

    struct Bench
    {
        QTemporaryDir dir;
        FixedClock clock {kToday};
        RecordingPrompter prompter;
        Session session {clock, prompter};

        explicit Bench(const MemberFile::Entries &members = {})
        {
            Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({laFija()}));
            Fixtures::writeFile(path("numeros.dat"), {});
            if (!members.empty())
                Fixtures::writeFile(path("socios.json"), MemberFile::serialize(members));
            session.start(dir.path());
            prompter.boxes.clear();
        }
        QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
        // A members' change shown as the window shows it; whether it was
        // taken (done, or so already).
        bool taken(const Outcome &outcome)
        {
            const Outcome::Status status = prompter.report(outcome).status;
            return status == Outcome::Status::Done || status == Outcome::Status::Unchanged;
        }
        QStringList texts()
        {
            QStringList list;
            for (const auto &box : prompter.boxes)
                list << box.text;
            prompter.boxes.clear();
            return list;
        }
    };
}

class TestNames : public QObject
{
    Q_OBJECT

private slots:
    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("memberRefused");
        // socios.json holds any script: only apuestas.dat refuses what cp1252 lacks.
        const auto row = [](const char *tag, const char16_t *name, const char16_t *named, bool member = true) {
            // Not fromUtf16(), which drops a leading byte order mark.
            QTest::newRow(tag) << QStringView(name).toString() << (member ? kUnseen : kUnstorable) + QStringView(named).toString()
                               << member;
        };
        row("zero-width space", u"ANA\u200BLUZ", u"U+200B");
        row("zero-width joiner", u"ANA\u200DLUZ", u"U+200D");
        row("word joiner", u"ANA\u2060LUZ", u"U+2060");
        row("byte order mark", u"\uFEFFANA", u"U+FEFF");
        row("right-to-left override", u"ANA\u202EZUL", u"U+202E");
        row("left-to-right mark", u"ANA\u200E", u"U+200E");
        row("arabic letter mark", u"ANA\u061CLUZ", u"U+061C");
        row("first strong isolate", u"ANA\u2068LUZ\u2069", u"U+2068, U+2069");
        row("bell", u"ANA\x07", u"U+0007");
        row("tab inside", u"ANA\tLUZ", u"U+0009");
        row("each named once", u"\u202EANA\u200B\u202E", u"U+202E, U+200B");
        row("emoji", u"PEÑA \U0001F600", u"\"\U0001F600\"", false);
        row("ideograph", u"\u674E Y \u738B", u"\"\u674E\", \"\u738B\"", false);
    }

    void refusedNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(bool, memberRefused);
        Bench bench;
        Membership members(bench.session);
        QVERIFY(bench.taken(members.add(1, QStringLiteral("Eva"), 1)));
        const QByteArray socios = Fixtures::readFile(bench.path("socios.json"));
        const QByteArray apuestas = Fixtures::readFile(bench.path("apuestas.dat"));

        QCOMPARE(bench.taken(members.add(1, name, 1)), !memberRefused);
        if (memberRefused) {
            QCOMPARE(bench.texts(), QStringList {message});
            QVERIFY(!bench.taken(members.rename(1, QStringLiteral("Eva"), name)));
            QCOMPARE(bench.texts(), QStringList {message});
            QCOMPARE(Fixtures::readFile(bench.path("socios.json")), socios);
        }

        // A peña: refused before anything is written, the bets kept.
        SyndicateCreation creation(bench.session);
        creation.click(SyndicateCreation::kFirstKeyCell + 4);
        for (int cell : {10, 11, 12, 13, 14})
            creation.click(cell);
        QCOMPARE(bench.prompter.report(creation.save(name)).record, 0);
        QCOMPARE(bench.texts(), QStringList {message});
        QCOMPARE(creation.lines().size(), 2);
        QCOMPARE(Fixtures::readFile(bench.path("apuestas.dat")), apuestas);
        // The same for the peñas of a reduction, before the first is saved.
        QCOMPARE(Wording::outcomeText(WheelSyndicates::problem(name, 1, 30)), message);
    }

    void oneMemberWhateverTheSpelling_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("member"); // the stored one it stands for
        QTest::newRow("accent apart") << QStringLiteral("Jose\u0301") << 0;
        QTest::newRow("capitals") << QStringLiteral("JOSÉ") << 0;
        QTest::newRow("capitals, accent apart") << QStringLiteral("JOSE\u0301") << 0;
        QTest::newRow("blanks around") << QStringLiteral("  josé ") << 0;
        QTest::newRow("two spaces") << QStringLiteral("Ana  María") << 1;
        QTest::newRow("no-break space") << QStringLiteral("ana\u00A0maría") << 1;
    }

    void oneMemberWhateverTheSpelling()
    {
        QFETCH(QString, typed);
        QFETCH(int, member);
        Bench bench;
        Membership members(bench.session);
        QVERIFY(bench.taken(members.add(1, QStringLiteral("José"), 1)));
        QVERIFY(bench.taken(members.add(1, QStringLiteral("Ana María"), 1)));
        const QString stored = members.members(1)[std::size_t(member)].name;

        QVERIFY(!bench.taken(members.add(1, typed, 1)));
        QCOMPARE(bench.texts(), QStringList {QStringLiteral("Ya hay un socio llamado %1 en esta peña.").arg(stored)});
        // The typed name finds that member...
        QVERIFY(bench.taken(members.setShares(1, typed, 5)));
        QCOMPARE(members.members(1)[std::size_t(member)].shares, 5);
        // ... who may take that spelling, kept composed and without the extra blanks.
        QVERIFY(bench.taken(members.rename(1, stored, typed)));
        QCOMPARE(members.members(1)[std::size_t(member)].name, MemberFile::normalizedName(typed));
        QCOMPARE(members.members(1)[std::size_t(member)].name.normalized(QString::NormalizationForm_C),
                 members.members(1)[std::size_t(member)].name);
        QCOMPARE(members.members(1).size(), std::size_t(2));
        QVERIFY(bench.texts().isEmpty());
    }

    void namesKeptBeforeTheseRulesStayReadable()
    {
        // A file written before: nothing set aside, and every name reachable.
        Bench bench({{{MemberFile::fingerprint(laFija()), 1},
                      {QStringLiteral("LA FIJA"), {{QStringLiteral("Ana\u200B"), 1}, {QStringLiteral("Jose\u0301"), 2}, {QStringLiteral("JOSÉ"), 3}}}}});
        QVERIFY(!QFile::exists(bench.path("socios.invalido")));
        Membership members(bench.session);
        QCOMPARE(members.totalShares(1), 6);
        // The exact name first, so that neither twin hides the other.
        QVERIFY(bench.taken(members.remove(1, QStringLiteral("JOSÉ"))));
        QVERIFY(bench.taken(members.remove(1, QStringLiteral("Ana\u200B"))));
        QCOMPARE(members.members(1), (std::vector<Member> {{QStringLiteral("Jose\u0301"), 2}}));
        QVERIFY(bench.texts().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNames)
#include "tst_names.moc"
