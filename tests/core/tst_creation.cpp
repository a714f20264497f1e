// Creating syndicates on the slip: the bytes written, every refusal and its
// message, the random fill and the command-line entry of whole syndicates.

#include "base/clock.h"
#include "cli/createcommand.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/outcomewording.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <set>
#include <vector>

namespace
{
    const QDate kToday(2026, 12, 8);

    // A record laid out by hand from the file's table of offsets.
    struct Golden
    {
        QByteArray bytes = QByteArray(645, '\0');
        Golden(const QByteArray &name, int kind)
        {
            bytes.replace(0, 20, name.leftJustified(20, ' '));
            bytes.replace(612, 15, QByteArray("Domingo").leftJustified(15, ' '));
            qToLittleEndian<qint16>(qint16(kind), bytes.data() + 627);
            qToLittleEndian<double>(double(QDate(1899, 12, 30).daysTo(kToday)), bytes.data() + 629);
        }
        void slot(int bet, int slot, int value)
        {
            qToLittleEndian<qint16>(qint16(value), bytes.data() + 20 + ((bet - 1) * 12 + (slot - 1)) * 2);
        }
    };

    struct Bench
    {
        QTemporaryDir dir;
        FixedClock clock {kToday};
        RecordingPrompter prompter;
        Session session {clock, prompter};

        explicit Bench(const std::vector<SyndicateRecord> &syndicates = {}, const std::vector<DrawRecord> &draws = {})
        {
            Fixtures::writeFile(dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(syndicates));
            Fixtures::writeFile(dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(draws));
            session.start(dir.path());
            prompter.boxes.clear();
        }
        QByteArray syndicateBytes() { return Fixtures::readFile(dir.filePath(QStringLiteral("apuestas.dat"))); }
        QStringList texts() const
        {
            QStringList list;
            for (const auto &box : prompter.boxes)
                list << box.text;
            return list;
        }
    };

    void clickAll(SyndicateCreation &creation, std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            QVERIFY(creation.click(n - 1).isDone());
    }
}

class TestCreation : public QObject
{
    Q_OBJECT

private slots:
    void simpleSyndicateBytes()
    {
        Bench bench;
        SyndicateCreation creation(bench.session);
        QCOMPARE(creation.instruction(), QStringLiteral("INTRODUZCA EL NOMBRE Y 5 NÚMEROS:"));
        QVERIFY(!creation.canSave());
        QVERIFY(creation.click(54 + 7).isDone());
        QCOMPARE(creation.phase(), SyndicateCreation::Phase::Numbers);
        clickAll(creation, {47, 3, 33, 12});
        QCOMPARE(creation.cellsMarked(), 4);
        QVERIFY(creation.isMarked(46));
        clickAll(creation, {25});
        QCOMPARE(creation.cellsMarked(), 0);
        QVERIFY(!creation.isMarked(46));
        QCOMPARE(creation.nextBetText(), QStringLiteral("2"));
        clickAll(creation, {1, 2, 3, 4, 6});
        clickAll(creation, {54, 10, 20, 30, 40});
        QCOMPARE(creation.lines(), (QStringList {QStringLiteral("Número clave:   7"), QStringLiteral(" 3-12-25-33-47"), QStringLiteral(" 1- 2- 3- 4- 6"), QStringLiteral("10-20-30-40-54")}));
        QVERIFY(creation.canSave() && creation.canRemove());

        QCOMPARE(bench.prompter.report(creation.save(QStringLiteral("LOS DE LA ESQUINA"))).record, 1);
        QVERIFY(bench.prompter.boxes.isEmpty());
        Golden golden("LOS DE LA ESQUINA", 3);
        const int bets[3][5] = {{3, 12, 25, 33, 47}, {1, 2, 3, 4, 6}, {10, 20, 30, 40, 54}};
        for (int b = 0; b < 3; ++b) {
            for (int s = 0; s < 5; ++s)
                golden.slot(b + 1, s + 1, bets[b][s]);
        }
        golden.slot(1, 6, 7);
        QCOMPARE(bench.syndicateBytes(), golden.bytes);
        QVERIFY(creation.takeSyndicateCreated());
        QVERIFY(!creation.takeSyndicateCreated());
        QCOMPARE(bench.session.syndicates().nextRecord(), 2);
        QCOMPARE(bench.session.syndicates().records().size(), std::size_t(1));

        // The slip starts again from the key, and the next syndicate is record 2
        // without anything of the first one in it.
        QCOMPARE(creation.phase(), SyndicateCreation::Phase::Key);
        QVERIFY(creation.lines().isEmpty());
        QCOMPARE(creation.nextBetText(), QStringLiteral("1"));
        QVERIFY(!creation.canSave() && !creation.canRemove());
        creation.click(54);
        clickAll(creation, {5, 6, 7, 8, 9});
        QCOMPARE(bench.prompter.report(creation.save(QStringLiteral("OTRA"))).record, 2);
        Golden second("OTRA", 1);
        for (int s = 1; s <= 5; ++s)
            second.slot(1, s, s + 4);
        QCOMPARE(bench.syndicateBytes(), golden.bytes + second.bytes);
    }

    void multipleSyndicateBytes()
    {
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.setMultipleSize(3);
        creation.restart();
        QCOMPARE(creation.instruction(), QStringLiteral("INTRODUZCA EL NOMBRE Y 8 NÚMEROS:"));
        creation.click(54 + 4);
        clickAll(creation, {54, 1, 9, 30, 22, 13, 41, 8});
        QCOMPARE(creation.lines().last(), QStringLiteral(" 1- 8- 9-13-22-30-41-54"));
        // One multiple bet per slip.
        QVERIFY(!bench.prompter.report(creation.click(2)).isDone());
        QCOMPARE(bench.texts(), QStringList {Wording::kOneMultiple});
        QCOMPARE(bench.prompter.boxes.first().icon, Prompter::Icon::Information);
        bench.prompter.boxes.clear();

        QCOMPARE(bench.prompter.report(creation.save(QStringLiteral("MULTI"))).record, 1);
        Golden golden("MULTI", 103);
        const int numbers[] = {1, 8, 9, 13, 22, 30, 41, 54};
        for (int s = 0; s < 8; ++s)
            golden.slot(1, s + 1, numbers[s]);
        golden.slot(1, 9, 4);
        QCOMPARE(bench.syndicateBytes(), golden.bytes);

        creation.setMultipleSize(6);
        creation.restart();
        creation.click(54);
        clickAll(creation, {20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10});
        QCOMPARE(creation.lines().last(), QStringLiteral("10-11-12-13-14-15-16-17-18-19-20"));
        QCOMPARE(creation.workingRecord().bets[0][11], 0);
    }

    void dateAndNameChecks_data()
    {
        QTest::addColumn<int>("syndicateDay"); // days after today of record 1, or none
        QTest::addColumn<int>("drawDay"); // days after today of the newest draw, or none
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const int none = -1000;
        QTest::newRow("first syndicate") << none << none << QStringLiteral("A") << QString();
        QTest::newRow("record 1 today") << 0 << none << QStringLiteral("A") << QString();
        QTest::newRow("record 1 tomorrow") << 1 << none << QStringLiteral("A") << Wording::kFutureSyndicate;
        QTest::newRow("draw today") << none << 0 << QStringLiteral("A") << QString();
        QTest::newRow("draw tomorrow") << none << 1 << QStringLiteral("A") << Wording::kFutureDraw;
        QTest::newRow("empty name") << none << none << QString() << Wording::kNoName;
        QTest::newRow("blank name") << none << none << QStringLiteral("   ") << Wording::kNoName;
        QTest::newRow("20 letters") << none << none << QStringLiteral("ABCDEFGHIJKLMNOPQRST") << QString();
        QTest::newRow("21 letters") << none << none << QStringLiteral("ABCDEFGHIJKLMNOPQRSTU")
                                    << Wording::kNameTooLong;
    }

    void dateAndNameChecks()
    {
        QFETCH(int, syndicateDay);
        QFETCH(int, drawDay);
        QFETCH(QString, name);
        QFETCH(QString, message);
        std::vector<SyndicateRecord> syndicates;
        if (syndicateDay > -1000)
            syndicates.push_back(Fixtures::simpleSyndicate(QStringLiteral("VIEJA"), {{1, 2, 3, 4, 5}}, 1,
                                                           kToday.addDays(syndicateDay)));
        std::vector<DrawRecord> draws {Fixtures::draw(kToday.addDays(-30), {1, 2, 3, 4, 5}, 0)};
        if (drawDay > -1000)
            draws.push_back(Fixtures::draw(kToday.addDays(drawDay), {6, 7, 8, 9, 10}, 1));
        Bench bench(syndicates, draws);
        const QByteArray before = bench.syndicateBytes();

        SyndicateCreation creation(bench.session);
        creation.click(54 + 2);
        clickAll(creation, {11, 12, 13, 14, 15});
        const int written = bench.prompter.report(creation.save(name)).record;
        if (message.isEmpty()) {
            QCOMPARE(written, int(syndicates.size()) + 1);
            QVERIFY(bench.prompter.boxes.isEmpty());
            QCOMPARE(bench.syndicateBytes().size(), before.size() + 645);
            return;
        }
        QCOMPARE(written, 0);
        QCOMPARE(bench.texts(), QStringList {message});
        QCOMPARE(bench.prompter.boxes.first().title, QStringLiteral("Error"));
        QCOMPARE(bench.prompter.boxes.first().icon, Prompter::Icon::Warning);
        QCOMPARE(bench.syndicateBytes(), before);
        QVERIFY(!creation.syndicateCreated());
        // The bets stay for another try.
        QCOMPARE(creation.lines().size(), 2);
        QVERIFY(creation.canSave());
    }

    void missingNameBlocksTheSlip()
    {
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.click(54 + 3);
        clickAll(creation, {1, 2, 3, 4, 5});
        QCOMPARE(bench.prompter.report(creation.save(QString())).record, 0);
        QVERIFY(creation.nameMissing());
        QVERIFY(!creation.canRemove() && !creation.canRandom());
        QVERIFY(!bench.prompter.report(creation.click(9)).isDone());
        QCOMPARE(bench.texts(), (QStringList {Wording::kNoName, Wording::kOnlyName}));
        QVERIFY(!creation.isMarked(8));
        // The same bets are saved once there is a name.
        QCOMPARE(bench.prompter.report(creation.save(QStringLiteral("YA"))).record, 1);
        QCOMPARE(bench.session.syndicates().records().front().betNumbers(1)[4], 5);
        QCOMPARE(bench.session.syndicates().records().front().key(), 3);
        // "Aleatorio" stays off for as long as the window lives.
        QVERIFY(!creation.canRandom());
    }

    void limitsAndRemoval()
    {
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.click(54 + 9);
        for (int bet = 0; bet < 24; ++bet)
            clickAll(creation, {1, 2, 3, 4, bet + 5});
        QCOMPARE(creation.betsEntered(), 24);
        QVERIFY(!bench.prompter.report(creation.click(50)).isDone());
        QCOMPARE(bench.texts(), QStringList {Wording::kMaxSimple});
        QCOMPARE(creation.lines().size(), 25);
        bench.prompter.report(creation.randomFill(7));
        QCOMPARE(bench.texts().size(), 2);
        QCOMPARE(creation.lines().size(), 25);

        // Back to three bets, then all the way to the key panel.
        for (int i = 0; i < 21; ++i)
            creation.removeLast();
        QCOMPARE(creation.betsEntered(), 3);
        creation.click(40); // a mark left on the slip stays through "Borrar"
        creation.removeLast();
        QCOMPARE(creation.nextBetText(), QStringLiteral("3"));
        QCOMPARE(creation.cellsMarked(), 1);
        creation.removeLast();
        creation.removeLast();
        QCOMPARE(creation.betsEntered(), 0);
        QVERIFY(creation.canRemove());
        QCOMPARE(creation.phase(), SyndicateCreation::Phase::Numbers);
        creation.removeLast();
        QCOMPARE(creation.phase(), SyndicateCreation::Phase::Key);
        QVERIFY(!creation.canRemove() && !creation.canSave());
        QVERIFY(creation.lines().isEmpty());
        QCOMPARE(creation.nextBetText(), QStringLiteral("1"));
    }

    void unmarkingAndDoubleMarks()
    {
        Bench bench;
        SyndicateCreation creation(bench.session);
        QVERIFY(!bench.prompter.report(creation.click(3)).isDone()); // no number before the key
        creation.click(54);
        clickAll(creation, {1, 2, 3, 4});
        clickAll(creation, {4}); // unmarks
        QCOMPARE(creation.cellsMarked(), 3);
        clickAll(creation, {4});
        QCOMPARE(creation.cellsMarked(), 4);
        QCOMPARE(creation.betsEntered(), 0);
        clickAll(creation, {50});
        QCOMPARE(creation.lines().last(), QStringLiteral(" 1- 2- 3- 4-50"));
    }

    void betTypedTwice()
    {
        // The same numbers again (in another order) ask first; No clears
        // the slip, Yes keeps the bet.
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.click(54);
        clickAll(creation, {5, 9, 13, 40, 41});
        clickAll(creation, {41, 13, 5, 9, 40});
        QCOMPARE(bench.prompter.titles(), QStringList {SyndicateCreation::kRepeatedTitle});
        QCOMPARE(creation.betsEntered(), 1);
        QCOMPARE(creation.cellsMarked(), 0);
        bench.prompter.answers = {Prompter::Answer::Yes};
        clickAll(creation, {5, 9, 13, 40, 41});
        QCOMPARE(creation.betsEntered(), 2);
        // The command line: the question's answer is --yes; without it the
        // peña is not created rather than created short.
        QCOMPARE(creation.enter(3, {{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}}), Outcome::Cause::RepeatedBetDeclined);
        QCOMPARE(creation.betsEntered(), 0);
        bench.prompter.answers = {Prompter::Answer::Yes};
        QCOMPARE(creation.enter(3, {{1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}}), Outcome::Cause::None);
        QCOMPARE(creation.betsEntered(), 2);
    }

    void randomFillDistinct_data()
    {
        QTest::addColumn<int>("multipleSize");
        for (int size = 0; size <= 6; ++size)
            QTest::addRow("%d numbers", size + 5) << size;
    }

    // The same seed twice would give the same bet; the peña never gets it twice.
    void randomFillNeverRepeatsABet()
    {
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.randomFill(3); // the key
        creation.randomFill(11);
        creation.randomFill(11);
        creation.randomFill(); // the run's own generator
        QCOMPARE(creation.betsEntered(), 3);
        // The numbers only: the first bet also holds the key, after them.
        const auto &bets = creation.workingRecord().bets;
        auto numbers = [&](std::size_t bet) {
            return std::vector<int>(bets[bet].begin(), bets[bet].begin() + creation.numbersPerBet());
        };
        QVERIFY(numbers(0) != numbers(1));
        QVERIFY(numbers(1) != numbers(2) && numbers(0) != numbers(2));
    }

    void randomFillDistinct()
    {
        QFETCH(int, multipleSize);
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.setMultipleSize(multipleSize);
        std::set<QString> seen;
        for (std::uint32_t seed = 0; seed < 400; ++seed) {
            creation.restart();
            creation.randomFill(seed); // the key
            QCOMPARE(creation.phase(), SyndicateCreation::Phase::Numbers);
            creation.click(17); // a stray mark is cleared first
            creation.randomFill(seed);
            QCOMPARE(creation.betsEntered(), 1);
            const auto &row = creation.workingRecord().bets[0];
            std::set<int> numbers;
            for (int s = 0; s < creation.numbersPerBet(); ++s) {
                QVERIFY(row[std::size_t(s)] >= 1 && row[std::size_t(s)] <= 54);
                if (s > 0)
                    QVERIFY(row[std::size_t(s)] > row[std::size_t(s - 1)]);
                numbers.insert(row[std::size_t(s)]);
            }
            QCOMPARE(int(numbers.size()), creation.numbersPerBet());
            const int key = row[std::size_t(creation.numbersPerBet())];
            QVERIFY(key >= 0 && key <= 9);
            seen.insert(creation.lines().last());
        }
        QVERIFY(seen.size() > 390); // different seeds, different bets
        QVERIFY(bench.prompter.boxes.isEmpty());
    }

    void enterWholeSyndicates_data()
    {
        QTest::addColumn<int>("multipleSize");
        QTest::addColumn<int>("key");
        QTest::addColumn<std::vector<std::vector<int>>>("bets");
        QTest::addColumn<QString>("message");
        const QString simple = QStringLiteral("Cada apuesta sencilla debe tener 5 números distintos del 1 al 54.");
        const QString multiple = QStringLiteral("Una apuesta múltiple debe tener de 6 a 11 números distintos del 1 al 54.");
        const QString key = QStringLiteral("La clave debe ser un número del 0 al 9.");
        std::vector<std::vector<int>> many(25, std::vector<int> {1, 2, 3, 4, 5});
        std::vector<std::vector<int>> distinct;
        for (int bet = 0; bet < 24; ++bet)
            distinct.push_back({5 + bet, 4, 3, 2, 1});
        QTest::newRow("any order") << 0 << 3 << std::vector<std::vector<int>> {{47, 3, 33, 12, 25}} << QString();
        QTest::newRow("24 bets") << 0 << 0 << distinct << QString();
        QTest::newRow("25 bets") << 0 << 0 << many << Wording::kMaxSimple;
        QTest::newRow("4 numbers") << 0 << 0 << std::vector<std::vector<int>> {{1, 2, 3, 4}} << simple;
        QTest::newRow("repeated") << 0 << 0 << std::vector<std::vector<int>> {{1, 2, 3, 4, 4}} << simple;
        QTest::newRow("55") << 0 << 0 << std::vector<std::vector<int>> {{1, 2, 3, 4, 55}} << simple;
        QTest::newRow("0") << 0 << 0 << std::vector<std::vector<int>> {{0, 2, 3, 4, 5}} << simple;
        QTest::newRow("key 10") << 0 << 10 << std::vector<std::vector<int>> {{1, 2, 3, 4, 5}} << key;
        QTest::newRow("key -1") << 0 << -1 << std::vector<std::vector<int>> {{1, 2, 3, 4, 5}} << key;
        QTest::newRow("multiple 6") << 1 << 9 << std::vector<std::vector<int>> {{6, 5, 4, 3, 2, 1}} << QString();
        QTest::newRow("multiple repeated") << 2 << 9 << std::vector<std::vector<int>> {{1, 1, 2, 3, 4, 5, 6}}
                                           << multiple;
        QTest::newRow("two multiples") << 1 << 9
                                       << std::vector<std::vector<int>> {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}}
                                       << Wording::kOneMultiple;
    }

    void enterWholeSyndicates()
    {
        QFETCH(int, multipleSize);
        QFETCH(int, key);
        QFETCH(std::vector<std::vector<int>>, bets);
        QFETCH(QString, message);
        Bench bench;
        SyndicateCreation creation(bench.session);
        creation.setMultipleSize(multipleSize);
        const Outcome::Cause cause = creation.enter(key, bets);
        QCOMPARE(cause == Outcome::Cause::None ? QString() : Wording::outcomeText(Outcome::refused(Outcome::Command::Create, cause)),
                 message);
        if (!message.isEmpty()) {
            QCOMPARE(creation.betsEntered(), 0);
            QVERIFY(creation.lines().isEmpty());
            return;
        }
        QCOMPARE(creation.betsEntered(), int(bets.size()));
        QVERIFY(bench.prompter.boxes.isEmpty());
        for (std::size_t b = 0; b < bets.size(); ++b) {
            std::vector<int> sorted = bets[b];
            std::sort(sorted.begin(), sorted.end());
            for (std::size_t s = 0; s < sorted.size(); ++s)
                QCOMPARE(int(creation.workingRecord().bets[b][s]), sorted[s]);
        }
        QCOMPARE(creation.workingRecord().bets[0][std::size_t(creation.numbersPerBet())], key);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        auto args = [](const char *text) { return QString::fromUtf8(text).split(QLatin1Char(' ')); };
        QTest::newRow("simple") << args("create --name Peña --key 7 --bet 47,3,33,12,25 --bet 1,2,3,4,5") << 0 << 2
                                << QString();
        QTest::newRow("multiple") << args("create --name=M8 --key=4 --multiple=54,1,9,30,22,13,41,8") << 0 << 103
                                  << QString();
        // Kept composed: an Ñ typed as N and its tilde is one byte.
        QTest::newRow("accent apart") << args("create --name Pen\u0303a --key 7 --bet 47,3,33,12,25 --bet 1,2,3,4,5")
                                      << 0 << 2 << QString();
        // What the slip could never hold is wrong in the command line itself.
        QTest::newRow("emoji") << args("create --name Peña\U0001F600 --key 1 --bet 1,2,3,4,5") << 2 << 0
                               << QStringLiteral("El nombre contiene caracteres que no se pueden guardar: \"\U0001F600\"");
        QTest::newRow("long name") << args("create --name ABCDEFGHIJKLMNOPQRSTU --key 1 --bet 1,2,3,4,5") << 2
                                   << 0 << Wording::kNameTooLong;
        QTest::newRow("bad key") << args("create --name A --key x --bet 1,2,3,4,5") << 2 << 0
                                 << QStringLiteral("La clave debe ser un número del 0 al 9.");
        QTest::newRow("key 12") << args("create --name A --key 12 --bet 1,2,3,4,5") << 2 << 0
                                << QStringLiteral("La clave debe ser un número del 0 al 9.");
        QTest::newRow("bad number") << args("create --name A --key 1 --bet 1,2,three,4,5") << 2 << 0
                                    << QStringLiteral("Apuesta no válida: 1,2,three,4,5. Escriba los números separados por comas.");
        QTest::newRow("12 numbers") << args("create --name A --key 1 --multiple 1,2,3,4,5,6,7,8,9,10,11,12") << 2 << 0
                                    << QStringLiteral("Una apuesta múltiple debe tener de 6 a 11 números distintos del 1 al 54.");
        QTest::newRow("both kinds") << args("create --name A --key 1 --bet 1,2,3,4,5 --multiple 1,2,3,4,5,6") << 2
                                    << 0
                                    << QStringLiteral("Una peña es de apuestas sencillas o de una apuesta múltiple, no de ambas.");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Bench bench;
        QCOMPARE(Cli::runCreate(bench.session, bench.prompter, arguments), exitCode);
        if (exitCode != 0) {
            QCOMPARE(bench.texts(), QStringList {message});
            QVERIFY(bench.syndicateBytes().isEmpty());
            return;
        }
        QVERIFY(bench.prompter.boxes.isEmpty());
        QCOMPARE(bench.syndicateBytes().size(), 645);
        const SyndicateRecord record = bench.session.syndicates().file().get(1);
        QCOMPARE(int(record.kind), kind);
        QCOMPARE(record.name(), arguments.at(2).contains(QLatin1Char('=')) ? QStringLiteral("M8") : QStringLiteral("PEÑA"));
        QCOMPARE(record.createdOn, double(QDate(1899, 12, 30).daysTo(kToday)));
        QCOMPARE(record.betNumbers(1)[0], kind == 2 ? 3 : 1); // stored ascending
        QCOMPARE(record.key(), kind == 2 ? 7 : 4);
    }

    void commandLineRefusesWhatTheSlipRefuses()
    {
        // A draw dated tomorrow stops the save with the slip's own message.
        Bench bench({}, {Fixtures::draw(kToday.addDays(1), {1, 2, 3, 4, 5}, 0)});
        QCOMPARE(Cli::runCreate(bench.session, bench.prompter,
                                QString::fromLatin1("create --name A --key 1 --bet 1,2,3,4,5").split(QLatin1Char(' '))),
                 1);
        QCOMPARE(bench.texts(), QStringList {Wording::kFutureDraw});
        QVERIFY(bench.syndicateBytes().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCreation)
#include "tst_creation.moc"
