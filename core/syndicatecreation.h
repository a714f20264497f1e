#pragma once

#include "store/outcome.h"
#include "store/syndicaterecord.h"

#include <QString>
#include <QStringList>

#include <bitset>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

class Session;

// The on-screen slip of a syndicate being created and its save: the key
// number, then the bets, each marked number by number, then the name.
// The creation window renders this state and forwards every click here; the
// command line enters whole bets through the same cells and the same save.
//
// It also carries the two program-wide values of creation: the kind chosen
// in the chooser and the "a syndicate was created" flag that the main
// window consumes when it becomes active again.
class SyndicateCreation
{
public:
    static constexpr int kNumberCells = 54; // cells 0..53 are numbers 1..54
    static constexpr int kFirstKeyCell = 54; // cells 54..63 are keys 0..9
    static constexpr int kCells = 64;
    static constexpr int kMaxSimpleBets = 24;
    static constexpr int kMaxNameLength = 20;
    static constexpr int kMaxMultipleSize = 6; // 11 numbers

    enum class Phase
    {
        Key,
        Numbers
    };

    static const QString kErrorTitle;
    static const QString kRepeatedTitle; // a bet the peña already holds
    static const QString kRepeatedBet;

    explicit SyndicateCreation(Session &session);

    // --- what the chooser sets and the main window consumes -------------
    // 0: simple bets; 1..6: one multiple bet of 6..11 numbers.
    int multipleSize() const { return m_multipleSize; }
    void setMultipleSize(int size);
    bool syndicateCreated() const { return m_created; }
    // True once after every save; the caller refreshes its lists.
    bool takeSyndicateCreated();

    // --- the slip ---------------------------------------------------------
    // A new, empty syndicate of the chosen kind, starting with its key.
    void restart();

    int numbersPerBet() const { return 5 + m_multipleSize; }
    int maxBets() const { return m_multipleSize == 0 ? kMaxSimpleBets : 1; }
    int betsEntered() const { return m_betsEntered; }
    int cellsMarked() const { return int(m_marks.count()); }
    bool isMarked(int cell) const { return cell >= 0 && cell < kNumberCells && m_marks.test(std::size_t(cell)); }
    Phase phase() const { return m_phase; }
    bool nameMissing() const { return m_nameMissing; }
    // The key line, then one line per bet.
    const QStringList &lines() const { return m_lines; }
    // The instruction line and the line naming the next bet.
    QString instruction() const;
    QString nextBetText() const { return m_nextBetText; }
    // Which of the three actions are open now.
    bool canSave() const { return m_canSave; }
    bool canRemove() const { return m_canRemove; }
    bool canRandom() const { return m_canRandom; }
    const SyndicateRecord &workingRecord() const { return m_record; }

    // A click on cell 0..63: Done when taken; a refused click (Refused, with
    // its cause) or an ignored one (Unchanged) changes nothing.
    Outcome click(int cell);
    // "Borrar": removes the last list line; the key line last of all.
    void removeLast();
    // "Aleatorio": a random key, or a random bet of distinct numbers that the
    // peña does not hold yet, from one generator seeded once per run.
    // Refused as a click would be when the slip is full or waits for the name.
    Outcome randomFill();
    // The same with the number panel's seed given (tests, reproducible runs).
    Outcome randomFill(std::uint32_t seed);

    // "Grabar": the date checks, the name, the record written at the next
    // record number. Done with the record number written; else why it
    // stopped, the bets kept (Unchanged, with nothing to say, when there
    // are none).
    Outcome save(const QString &name);

    // --- whole syndicates (the command line) -----------------------------
    // Fits when the slip can hold the name, else the rule it breaks: a
    // character no name may hold (Forbidden) or apuestas.dat cannot store
    // (Unstorable), or more than 20 letters (TooLong). The name is judged,
    // and saved, composed (NFC).
    static NameRule nameProblem(const QString &name);
    // None when the slip could produce the key and bets (numbers in any
    // order) for a syndicate of that multiple size, else the cause refusing
    // them. Needs no data: the command line asks it before opening any file.
    static Outcome::Cause wholeSyndicateProblem(int multipleSize, int key, const std::vector<std::vector<int>> &bets);
    // Checks key and bets as wholeSyndicateProblem does and enters them: key
    // cell, then each bet's cells in ascending order. None on success, else
    // the cause refusing them (RepeatedBetDeclined when a repeated bet was
    // answered No), with nothing entered. multipleSize() says whether bets is
    // one multiple bet.
    Outcome::Cause enter(int key, const std::vector<std::vector<int>> &bets);

private:
    void completeBet();
    Outcome fillAtRandom(std::mt19937 &random);
    bool isEnteredBet(const std::set<int> &cells) const;
    static Outcome refuse(Outcome::Cause cause);

    Session &m_session;
    int m_multipleSize = 0;
    bool m_created = false;

    SyndicateRecord m_record;
    Phase m_phase = Phase::Key;
    int m_betsEntered = 0;
    std::bitset<kNumberCells> m_marks;
    bool m_nameMissing = false;
    QStringList m_lines;
    QString m_nextBetText;
    bool m_canSave = false;
    bool m_canRemove = false;
    bool m_canRandom = true;
    std::mt19937 m_random;
};
