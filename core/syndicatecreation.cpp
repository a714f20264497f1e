#include "syndicatecreation.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "session.h"
#include "store/nametext.h"
#include "store/oledate.h"
#include "store/outcome.h"

#include <algorithm>
#include <set>

const QString SyndicateCreation::kRepeatedTitle = QStringLiteral("Apuesta repetida");
const QString SyndicateCreation::kRepeatedBet = QStringLiteral("Esta apuesta ya está en la peña. ¿Quiere jugarla otra vez?");
const QString SyndicateCreation::kErrorTitle = QStringLiteral("Error");

namespace
{
    // Seeded once per run: reseeding from the clock gave the same bet to two
    // presses within one second.
    std::mt19937 &runGenerator()
    {
        static std::mt19937 generator {std::random_device {}()};
        return generator;
    }
}

SyndicateCreation::SyndicateCreation(Session &session)
    : m_session(session)
{
    restart();
}

void SyndicateCreation::setMultipleSize(int size)
{
    m_multipleSize = std::clamp(size, 0, kMaxMultipleSize);
}

bool SyndicateCreation::takeSyndicateCreated()
{
    const bool created = m_created;
    m_created = false;
    return created;
}

void SyndicateCreation::restart()
{
    // Rows of the previous syndicate are not carried into the next record.
    m_record = SyndicateRecord {};
    m_phase = Phase::Key;
    m_betsEntered = 0;
    m_marks.reset();
    m_nameMissing = false;
    m_lines.clear();
    m_nextBetText = QStringLiteral("1");
    m_canSave = false;
    m_canRemove = false;
}

QString SyndicateCreation::instruction() const
{
    return QStringLiteral("INTRODUZCA EL NOMBRE Y %1 NÚMEROS:").arg(numbersPerBet());
}

Outcome SyndicateCreation::refuse(Outcome::Cause cause)
{
    return Outcome::refused(Outcome::Command::Create, cause);
}

Outcome SyndicateCreation::click(int cell)
{
    const Outcome taken = Outcome::done(Outcome::Command::Create);
    const Outcome ignored(Outcome::Status::Unchanged, Outcome::Command::Create);
    if (cell < 0 || cell >= kCells)
        return ignored;
    if (m_nameMissing)
        return refuse(Outcome::Cause::SlipWaitsForName);
    if (cell >= kFirstKeyCell) {
        // Only the key panel offers key cells, and only before any bet.
        if (m_phase != Phase::Key)
            return ignored;
        const int key = cell - kFirstKeyCell;
        m_phase = Phase::Numbers;
        m_record.bets[0][std::size_t(numbersPerBet())] = std::int16_t(key);
        m_lines.append(QStringLiteral("Número clave:   %1").arg(key));
        return taken;
    }
    if (m_phase != Phase::Numbers)
        return ignored;
    if (m_betsEntered >= maxBets())
        return refuse(m_multipleSize > 0 ? Outcome::Cause::OneMultipleBet : Outcome::Cause::MaxSimpleBets);
    m_marks.flip(std::size_t(cell));
    if (cellsMarked() == numbersPerBet()) {
        // The same bet twice is most often a slip of the hand: it is kept
        // only when the player says so, else the slip is cleared for another.
        std::set<int> cells;
        for (int c = 0; c < kNumberCells; ++c) {
            if (m_marks.test(std::size_t(c)))
                cells.insert(c);
        }
        if (isEnteredBet(cells) && !m_session.prompter().ask(kRepeatedTitle, kRepeatedBet)) {
            m_marks.reset();
            return taken;
        }
        completeBet();
    }
    return taken;
}

void SyndicateCreation::completeBet()
{
    ++m_betsEntered;
    m_canRemove = true;
    const int bet = int(m_lines.size()); // the key line counts: the first bet is 1
    auto &row = m_record.bets[std::size_t(bet - 1)];
    QString text;
    int slot = 0;
    for (int cell = 0; cell < kNumberCells; ++cell) {
        if (!m_marks.test(std::size_t(cell)))
            continue;
        const int number = cell + 1;
        row[std::size_t(slot)] = std::int16_t(number);
        ++slot;
        if (number < 10)
            text += QLatin1Char(' ');
        text += QString::number(number);
        if (slot != numbersPerBet())
            text += QLatin1Char('-');
    }
    m_marks.reset();
    m_lines.append(text);
    m_nextBetText = QString::number(m_betsEntered + 1);
    m_canSave = true;
}

void SyndicateCreation::removeLast()
{
    if (m_lines.isEmpty())
        return;
    const int n = m_betsEntered;
    if (n == 0)
        m_canRemove = false;
    m_lines.removeLast();
    m_nextBetText = QString::number(n);
    if (n == 0) {
        m_canSave = false;
        m_phase = Phase::Key;
        m_nextBetText = QStringLiteral("1");
    } else {
        m_betsEntered = n - 1;
    }
}

Outcome SyndicateCreation::randomFill()
{
    return fillAtRandom(runGenerator());
}

Outcome SyndicateCreation::randomFill(std::uint32_t seed)
{
    m_random.seed(seed);
    return fillAtRandom(m_random);
}

bool SyndicateCreation::isEnteredBet(const std::set<int> &cells) const
{
    for (int b = 0; b < m_betsEntered; ++b) {
        const auto &row = m_record.bets[std::size_t(b)];
        std::set<int> entered;
        for (int slot = 0; slot < numbersPerBet(); ++slot)
            entered.insert(row[std::size_t(slot)] - 1);
        if (entered == cells)
            return true;
    }
    return false;
}

Outcome SyndicateCreation::fillAtRandom(std::mt19937 &random)
{
    if (m_nameMissing)
        return refuse(Outcome::Cause::SlipWaitsForName);
    if (m_phase == Phase::Key) {
        std::uniform_int_distribution<int> key(0, 9);
        return click(kFirstKeyCell + key(random));
    }
    m_marks.reset();
    if (m_betsEntered >= maxBets())
        return refuse(m_multipleSize > 0 ? Outcome::Cause::OneMultipleBet : Outcome::Cause::MaxSimpleBets);
    // Never a bet the peña already holds (C(54,5) bets leave room enough).
    std::uniform_int_distribution<int> cell(0, kNumberCells - 1);
    std::set<int> drawn;
    do {
        drawn.clear();
        while (int(drawn.size()) < numbersPerBet())
            drawn.insert(cell(random));
    } while (isEnteredBet(drawn));
    Outcome outcome = Outcome::done(Outcome::Command::Create);
    for (int d : drawn)
        outcome = click(d);
    return outcome;
}

Outcome SyndicateCreation::save(const QString &name)
{
    constexpr auto kCommand = Outcome::Command::Create;
    m_nameMissing = false;
    if (m_betsEntered == 0)
        return Outcome(Outcome::Status::Unchanged, kCommand);
    const double today = OleDate::fromDate(m_session.clock().today());
    if (m_session.syndicates().file().get(1).createdOn > today)
        return refuse(Outcome::Cause::FutureSyndicate);
    const int newestDraw = m_session.nextDrawRecord() - 1;
    if (newestDraw >= 1 && m_session.draws().file().get(newestDraw).date > today)
        return refuse(Outcome::Cause::FutureDraw);
    // A name of blanks only would be stored as no name at all.
    if (name.trimmed().isEmpty()) {
        m_nameMissing = true;
        m_canRemove = false;
        m_canRandom = false;
        return refuse(Outcome::Cause::NoSyndicateName);
    }
    if (const NameRule rule = nameProblem(name); rule != NameRule::Fits)
        return Outcome::nameRefused(kCommand, rule, NameText::composed(name));

    SyndicateRecord record = m_record;
    record.setName(NameText::composed(name));
    record.prizeCounts = {};
    record.setDrawDay(QStringLiteral("Domingo"));
    record.kind = std::int16_t(m_multipleSize == 0 ? m_betsEntered : 100 + m_multipleSize);
    record.createdOn = today;
    record.lastCountedDate = OleDate::kNone;

    // Written after the last whole record, never over a partial one, and
    // never into a file that could not be read (it would look empty).
    if (Outcome check = m_session.writeCheck(m_session.syndicates().file(), kCommand); !check.isDone())
        return check;
    TypedRecordFile<SyndicateRecord> &file = m_session.syndicates().file();
    const int number = int(file.count()) + 1;
    if (!file.append(record.toBytes())) {
        Outcome failed(Outcome::Status::Failed, kCommand, Outcome::Cause::FileError);
        failed.path = file.path();
        failed.file = file.lastError();
        return failed;
    }
    m_created = true;
    // Recounting the file moves the next record number past the one written.
    m_session.loadSyndicateList();
    restart();
    Outcome saved = Outcome::done(kCommand);
    saved.record = number;
    return saved;
}

NameRule SyndicateCreation::nameProblem(const QString &name)
{
    // Kept composed: "É" typed as "E" and its accent is one letter, one byte.
    const QString kept = NameText::composed(name);
    if (!NameText::forbiddenCharacters(kept).isEmpty())
        return NameRule::Forbidden;
    // apuestas.dat would keep a '?' in place of the character, unseen.
    if (!NameText::unstorableCharacters(kept).isEmpty())
        return NameRule::Unstorable;
    return kept.size() > kMaxNameLength ? NameRule::TooLong : NameRule::Fits;
}

Outcome::Cause SyndicateCreation::wholeSyndicateProblem(int multipleSize, int key, const std::vector<std::vector<int>> &bets)
{
    using Cause = Outcome::Cause;
    if (key < 0 || key > 9)
        return Cause::KeyOutOfRange;
    if (bets.empty())
        return Cause::NoBet;
    if (int(bets.size()) > (multipleSize == 0 ? kMaxSimpleBets : 1))
        return multipleSize > 0 ? Cause::OneMultipleBet : Cause::MaxSimpleBets;
    for (const auto &bet : bets) {
        const std::set<int> distinct(bet.begin(), bet.end());
        const bool inRange = !distinct.empty() && *distinct.begin() >= 1 && *distinct.rbegin() <= kNumberCells;
        if (distinct.size() != bet.size() || !inRange || int(bet.size()) != 5 + multipleSize) {
            return multipleSize > 0 ? Cause::BadMultipleBet : Cause::BadSimpleBet;
        }
    }
    return Cause::None;
}

Outcome::Cause SyndicateCreation::enter(int key, const std::vector<std::vector<int>> &bets)
{
    if (const Outcome::Cause problem = wholeSyndicateProblem(m_multipleSize, key, bets); problem != Outcome::Cause::None)
        return problem;

    restart();
    click(kFirstKeyCell + key);
    for (const auto &bet : bets) {
        const std::set<int> ascending(bet.begin(), bet.end());
        for (int number : ascending)
            click(number - 1);
    }
    // Every bet passed the checks above: one is missing only because it
    // repeated another and the player did not want it twice.
    if (m_betsEntered != int(bets.size())) {
        restart();
        return Outcome::Cause::RepeatedBetDeclined;
    }
    return Outcome::Cause::None;
}
