#include "syndicatecreation.h"

#include "base/clock.h"
#include "base/prompter.h"
#include "store/outcome.h"
#include "session.h"
#include "store/nametext.h"
#include "store/oledate.h"

#include <algorithm>
#include <set>

const QString SyndicateCreation::kRepeatedTitle = QStringLiteral("Apuesta repetida");
const QString SyndicateCreation::kRepeatedBet = QStringLiteral("Esta apuesta ya está en la peña. ¿Quiere jugarla otra vez?");
const QString SyndicateCreation::kRepeatedDeclined = QStringLiteral(
    "Hay una apuesta repetida y no se ha aceptado; la peña no se ha creado.");
const QString SyndicateCreation::kErrorTitle = QStringLiteral("Error");
const QString SyndicateCreation::kFutureSyndicate = QStringLiteral(
    "¡¡¡No puede crear una peña con fecha anterior a una ya existente!!!. Borre dicha peña antes de crear ésta.");
const QString SyndicateCreation::kFutureDraw = QStringLiteral(
    "Hay sorteos con fecha posterior a la de la peña que intenta crear. Revise la fecha de su ordenador. "
    "¡No se puede crear una peña con fecha anterior a la del último sorteo!");
const QString SyndicateCreation::kNoName = QStringLiteral("¡¡¡No ha escrito el nombre de la peña!!!");
const QString SyndicateCreation::kNameTooLong = QStringLiteral("¡¡¡El nombre no puede tener más de 20 letras!!!");
const QString SyndicateCreation::kOnlyName = QStringLiteral(
    "Sólo tienes que poner un nombre. No puedes añadir más números.");
const QString SyndicateCreation::kOneMultiple = QStringLiteral(
    "¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a múltiples !! ");
const QString SyndicateCreation::kMaxSimple = QStringLiteral("Máximo de apuestas sencillas por peña : 24.");
const QString SyndicateCreation::kWriteFailed = QStringLiteral(
    "No se ha podido grabar la peña en apuestas.dat. Compruebe que el fichero se puede escribir.");

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

Outcome SyndicateCreation::refuse(const QString &text)
{
    return Outcome::problem(Outcome::Command::Create, text, Outcome::Cause::Note);
}

Outcome SyndicateCreation::click(int cell)
{
    const Outcome taken = Outcome::done(Outcome::Command::Create);
    const Outcome ignored(Outcome::Status::Unchanged, Outcome::Command::Create);
    if (cell < 0 || cell >= kCells)
        return ignored;
    if (m_nameMissing)
        return refuse(kOnlyName);
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
        return refuse(m_multipleSize > 0 ? kOneMultiple : kMaxSimple);
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
        return refuse(kOnlyName);
    if (m_phase == Phase::Key) {
        std::uniform_int_distribution<int> key(0, 9);
        return click(kFirstKeyCell + key(random));
    }
    m_marks.reset();
    if (m_betsEntered >= maxBets())
        return refuse(m_multipleSize > 0 ? kOneMultiple : kMaxSimple);
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
        return Outcome::problem(kCommand, kFutureSyndicate);
    const int newestDraw = m_session.nextDrawRecord() - 1;
    if (newestDraw >= 1 && m_session.draws().file().get(newestDraw).date > today)
        return Outcome::problem(kCommand, kFutureDraw);
    // A name of blanks only would be stored as no name at all.
    if (name.trimmed().isEmpty()) {
        m_nameMissing = true;
        m_canRemove = false;
        m_canRandom = false;
        return Outcome::problem(kCommand, kNoName);
    }
    if (const QString problem = nameProblem(name); !problem.isEmpty())
        return Outcome::problem(kCommand, problem);

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

QString SyndicateCreation::nameProblem(const QString &name)
{
    // Kept composed: "É" typed as "E" and its accent is one letter, one byte.
    const QString kept = NameText::composed(name);
    if (const QString problem = NameText::forbiddenProblem(kept); !problem.isEmpty())
        return problem;
    // apuestas.dat would keep a '?' in place of the character, unseen.
    if (const QString problem = NameText::unstorableProblem(kept); !problem.isEmpty())
        return problem;
    return kept.size() > kMaxNameLength ? kNameTooLong : QString();
}

QString SyndicateCreation::wholeSyndicateProblem(int multipleSize, int key, const std::vector<std::vector<int>> &bets)
{
    if (key < 0 || key > 9)
        return QStringLiteral("La clave debe ser un número del 0 al 9.");
    if (bets.empty())
        return QStringLiteral("Falta la apuesta: indique al menos una apuesta.");
    if (int(bets.size()) > (multipleSize == 0 ? kMaxSimpleBets : 1))
        return multipleSize > 0 ? kOneMultiple : kMaxSimple;
    for (const auto &bet : bets) {
        const std::set<int> distinct(bet.begin(), bet.end());
        const bool inRange = !distinct.empty() && *distinct.begin() >= 1 && *distinct.rbegin() <= kNumberCells;
        if (distinct.size() != bet.size() || !inRange || int(bet.size()) != 5 + multipleSize) {
            return multipleSize > 0
                ? QStringLiteral("Una apuesta múltiple debe tener de 6 a 11 números distintos del 1 al 54.")
                : QStringLiteral("Cada apuesta sencilla debe tener 5 números distintos del 1 al 54.");
        }
    }
    return {};
}

QString SyndicateCreation::enter(int key, const std::vector<std::vector<int>> &bets)
{
    if (const QString problem = wholeSyndicateProblem(m_multipleSize, key, bets); !problem.isEmpty())
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
        return kRepeatedDeclined;
    }
    return {};
}
