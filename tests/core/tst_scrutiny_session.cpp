// The scrutiny as the session runs it on real files: what reaches the disk,
// when, and what the lists and the syndicates tab then show.

#include "base/clock.h"
#include "base/urlopener.h"
#include "core/maintenance.h"
#include "core/session.h"
#include "store/fileops.h"
#include "store/oledate.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "wording/syndicatewording.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace
{
    const QDate kToday(2026, 12, 8); // a Tuesday

    // Built on first use: the date conversion's own constants must exist first.
    const std::vector<DrawRecord> &threeDraws()
    {
        static const std::vector<DrawRecord> draws = {
            Fixtures::draw(QDate(2026, 11, 22), {1, 2, 3, 40, 41}, 0),
            Fixtures::draw(QDate(2026, 11, 29), {1, 2, 30, 40, 41}, 5),
            Fixtures::draw(QDate(2026, 12, 6), {1, 2, 3, 4, 41}, 0),
        };
        return draws;
    }

    class NoBrowser final : public UrlOpener
    {
    public:
        void open(const QUrl &) override {}
    };

    using Counts = std::array<std::int16_t, 8>;

    // The prizes of a record counted the long way: every five-number
    // combination of its bets against every draw since its creation.
    Counts countByHand(const SyndicateRecord &s, const std::vector<DrawRecord> &draws)
    {
        std::vector<std::vector<int>> plays;
        if (s.isMultiple()) {
            const int n = s.kind - 95;
            for (int mask = 0; mask < (1 << n); ++mask) {
                if (__builtin_popcount(unsigned(mask)) != 5)
                    continue;
                std::vector<int> bet;
                for (int i = 0; i < n; ++i) {
                    if (mask & (1 << i))
                        bet.push_back(s.bets[0][std::size_t(i)]);
                }
                plays.push_back(bet);
            }
        } else {
            for (int b = 0; b < s.kind; ++b)
                plays.push_back(std::vector<int>(s.bets[std::size_t(b)].begin(), s.bets[std::size_t(b)].begin() + 5));
        }
        std::array<int, 8> counts {};
        for (const DrawRecord &draw : draws) {
            if (draw.date < s.createdOn)
                continue;
            for (const auto &bet : plays) {
                int hits = 0;
                for (int n : bet)
                    hits += int(std::count(draw.numbers.begin(), draw.numbers.end(), n));
                if (hits >= 2)
                    ++counts[std::size_t(2 * (hits - 2) + (s.key() == draw.clave ? 1 : 0))];
            }
        }
        Counts result {};
        for (std::size_t c = 0; c < 8; ++c)
            result[c] = std::int16_t(std::min(counts[c], 32767));
        return result;
    }
}

class TestScrutinySession : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;

    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<Session> startSession()
    {
        auto session = std::make_unique<Session>(m_clock, m_prompter);
        if (!session->start(m_dir->path()))
            return nullptr;
        return session;
    }

    std::vector<SyndicateRecord> storedSyndicates() const
    {
        const QByteArray bytes = Fixtures::readFile(path("apuestas.dat"));
        std::vector<SyndicateRecord> records;
        for (qsizetype at = 0; at + SyndicateRecord::kSize <= bytes.size(); at += SyndicateRecord::kSize)
            records.push_back(SyndicateRecord::fromBytes(bytes.sliced(at, SyndicateRecord::kSize)));
        return records;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prompter.boxes.clear();
    }

    void countsReachTheFileOnce()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 29)),
                                                      Fixtures::multipleSyndicate(QStringLiteral("M"), {1, 2, 3, 4, 20, 21, 22}, 0, QDate(2026, 11, 29)),
                                                  }));
        auto session = startSession();

        // Start-up counts every draw since creation, whatever is shown: on
        // 29 November A has 2 hits and the key, M 2 of 7 without it; on
        // 6 December A has 4 hits, M 4 of 7 with the key.
        auto stored = storedSyndicates();
        QCOMPARE(stored[0].prizeCounts, (std::array<std::int16_t, 8> {0, 1, 0, 0, 1, 0, 0, 0}));
        QCOMPARE(stored[1].prizeCounts, (std::array<std::int16_t, 8> {10, 6, 0, 12, 0, 3, 0, 0}));
        QCOMPARE(stored[0].lastCountedDate, threeDraws().back().date);
        QCOMPARE(stored[1].lastCountedDate, threeDraws().back().date);
        // The tab of syndicates already shows what was just counted.
        QCOMPARE(session->syndicates().list().totalPrizes, std::int64_t(33));
        QCOMPARE(session->syndicates().details().prizeCounts[4], std::int64_t(1));

        // Every draw, back and forth, with and without "Histórico": nothing more.
        const QByteArray before = Fixtures::readFile(path("apuestas.dat"));
        session->setDrawsToShow(3);
        session->setHistorico(true);
        session->setDrawsToShow(1);
        session->setDrawsToShow(3);
        session->showNewestDraw();
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), before);
        QCOMPARE(session->view().drawsToShow(), 1);

        // A restart counts nothing again either.
        session.reset();
        session = startSession();
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), before);
    }

    void deletedNewestDrawMovesTheCountBack()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 1)),
                                                  }));
        auto session = startSession();
        QCOMPARE(storedSyndicates()[0].lastCountedDate, threeDraws()[2].date);

        // The newest draw goes (as the draw maintenance leaves the file).
        session->draws().file().close();
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf({threeDraws()[0], threeDraws()[1]}));
        session->draws().file().open(path("numeros.dat"));
        session->updateStatus();
        session->refreshDraws();
        QCOMPARE(storedSyndicates()[0].lastCountedDate, threeDraws()[1].date);
        QCOMPARE(storedSyndicates()[0].prizeCounts[4], std::int16_t(0));
        QCOMPARE(session->syndicates().details().prizeCounts[4], std::int64_t(0));

        // Stored again, it counts once.
        session->draws().file().put(3, threeDraws()[2]);
        session->updateStatus();
        QCOMPARE(storedSyndicates()[0].prizeCounts[4], std::int16_t(1));
        QCOMPARE(storedSyndicates()[0].lastCountedDate, threeDraws()[2].date);
    }

    void importedHistoryIsCountedWhole()
    {
        const std::vector<DrawRecord> history = Fixtures::realDraws();
        SyndicateRecord old = Fixtures::simpleSyndicate(QStringLiteral("VIEJA"), {}, 3, QDate(2005, 2, 6));
        old.kind = 24;
        for (int b = 0; b < 24; ++b) {
            for (int k = 0; k < 5; ++k)
                old.bets[std::size_t(b)][std::size_t(k)] = std::int16_t(1 + (b * 2 + k * 11) % 54);
            std::sort(old.bets[std::size_t(b)].begin(), old.bets[std::size_t(b)].begin() + 5);
        }
        old.bets[0][5] = 3;
        const std::vector<SyndicateRecord> syndicates = {
            old,
            Fixtures::simpleSyndicate(QStringLiteral("NUEVA"), {{6, 27, 33, 34, 39}, {2, 9, 13, 30, 51}}, 8, QDate(2025, 1, 5)),
            Fixtures::multipleSyndicate(QStringLiteral("ONCE"), {3, 7, 12, 19, 23, 28, 34, 40, 45, 49, 53}, 5, QDate(2010, 3, 7)),
            Fixtures::multipleSyndicate(QStringLiteral("SEIS"), {6, 9, 13, 27, 30, 36}, 0, QDate(2024, 12, 1)),
        };
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf({history.front()}));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf(syndicates));
        auto session = startSession();

        QTemporaryDir elsewhere;
        const QString chosen = elsewhere.filePath(QStringLiteral("NUMEROS.DAT"));
        Fixtures::writeFile(chosen, Fixtures::bytesOf(history));
        DiskFileOps files;
        NoBrowser browser;
        Maintenance maintenance(*session, files, browser);
        maintenance.importDraws(chosen);
        QCOMPARE(session->storedDraws(), int(history.size()));

        const auto checkAgainstHand = [&](const std::vector<DrawRecord> &draws) {
            const auto stored = storedSyndicates();
            QCOMPARE(stored.size(), syndicates.size());
            int total = 0;
            for (std::size_t k = 0; k < syndicates.size(); ++k) {
                QCOMPARE(stored[k].prizeCounts, countByHand(syndicates[k], draws));
                QCOMPARE(stored[k].lastCountedDate, draws.back().date);
                for (auto c : stored[k].prizeCounts)
                    total += c;
            }
            QCOMPARE(session->syndicates().list().totalPrizes, std::int64_t(total));
        };
        checkAgainstHand(history);
        QVERIFY(storedSyndicates()[0].prizeCounts[0] > 100); // the whole history, not the newest draw

        // The newest draw deleted, then the history imported again: nothing twice.
        maintenance.setDrawDeleteMode(true);
        m_prompter.answers = {Prompter::Answer::Yes};
        QVERIFY(maintenance.deleteDraw(1).changed());
        checkAgainstHand(std::vector<DrawRecord>(history.begin(), history.end() - 1));
        maintenance.importDraws(chosen);
        checkAgainstHand(history);

        // What the lists show does not change what is counted.
        const QByteArray counted = Fixtures::readFile(path("apuestas.dat"));
        session->applyViewOptions(1, true, true);
        session->applyViewOptions(50, false, false);
        session->showNewestDraw();
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), counted);
    }

    void multipleListEmptiedWhenNoMultipleTakesPart()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::multipleSyndicate(QStringLiteral("M"), {1, 2, 3, 4, 20, 21}, 0, QDate(2026, 11, 1)),
                                                  }));
        auto session = startSession();
        QCOMPARE(session->multipleResults().rowCount(), 5); // 4 hits of 6: two breakdown lines
        QCOMPARE(session->simpleResults().rowCount(), 0);

        // The multiple bet replaced by a simple one.
        session->syndicates().file().put(1, Fixtures::simpleSyndicate(QStringLiteral("S"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 11, 1)));
        QSignalSpy about(session.get(), &Session::multipleResultsAboutToChange);
        QSignalSpy changed(session.get(), &Session::multipleResultsChanged);
        session->updateStatus();
        session->refreshDraws();
        QCOMPARE(session->multipleResults().rowCount(), 0);
        QCOMPARE(session->simpleResults().rowCount(), 4);
        QCOMPARE(about.count(), 1);
        QCOMPARE(changed.count(), 1);
    }

    void noDrawNoRowsNoWrite()
    {
        const QByteArray bytes = Fixtures::bytesOf({
            Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 1)),
            Fixtures::multipleSyndicate(QStringLiteral("M"), {1, 2, 3, 4, 20, 21}, 0, QDate(2026, 11, 1)),
        });
        Fixtures::writeFile(path("apuestas.dat"), bytes);
        auto session = startSession();
        session->scrutinizeSimpleSyndicates(5);
        session->scrutinizeMultipleSyndicates(1);
        QCOMPARE(session->simpleResults().rowCount(), 0);
        QCOMPARE(session->multipleResults().rowCount(), 0);
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), bytes);
        QCOMPARE(Wording::drawsPlayedText(session->syndicates().details()), QStringLiteral("0"));
        QCOMPARE(Wording::effectivenessText(session->syndicates().details()), QStringLiteral("-"));
    }

    void drawCountAboveTheStoredDraws()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 1)),
                                                  }));
        auto session = startSession();
        session->scrutinizeSimpleSyndicates(30000);
        QCOMPARE(session->simpleResults().rowCount(), 12);
        session->applyViewOptions(30000, true, true);
        QCOMPARE(session->view().drawsToShow(), 3);
        QCOMPARE(session->simpleResults().rowCount(), 12); // every draw won something
    }

    void damagedRecordIsListedNeverWritten()
    {
        SyndicateRecord damaged = Fixtures::simpleSyndicate(QStringLiteral("ROTA"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 1, 1));
        damaged.kind = 77;
        damaged.setDrawDay(QStringLiteral("Sábado"));
        SyndicateRecord saturday = Fixtures::simpleSyndicate(QStringLiteral("SÁB"), {{1, 2, 3, 4, 5}}, 0, QDate(2026, 1, 1));
        saturday.setDrawDay(QStringLiteral("Sábado"));
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({saturday, damaged}));
        auto session = startSession();

        const auto stored = storedSyndicates();
        QCOMPARE(stored[1].toBytes(), damaged.toBytes());
        QCOMPARE(stored[0].drawDay(), QStringLiteral("Domingo")); // corrected on disk
        QCOMPARE(session->syndicates().list().items.size(), std::size_t(2));
        QCOMPARE(Wording::listBetsText(session->syndicates().list().items[1]), QStringLiteral("Dañada"));
        QCOMPARE(session->syndicates().count(), 2);
        QCOMPARE(session->simpleResults().rowCount(), 4); // the sound one only
        QVERIFY(m_prompter.boxes.isEmpty());

        // Its details cannot be shown: the box, and nothing selected from it.
        session->selectSyndicate(2);
        QCOMPARE(m_prompter.titles(), QStringList {QStringLiteral("¡Vaya hombre!")});
        QCOMPARE(m_prompter.boxes[0].text, QStringLiteral("Error crítico: fichero apuestas.dat corrupto."));
        QCOMPARE(m_prompter.boxes[0].icon, Prompter::Icon::Warning);
        QVERIFY(session->syndicates().details().damaged);
        QCOMPARE(Wording::drawsPlayedText(session->syndicates().details()), QStringLiteral("-"));
    }

    void selectionAndDetails()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 23)),
                                                      Fixtures::simpleSyndicate(QStringLiteral("B"), {{7, 8, 9, 10, 11}, {1, 2, 13, 14, 15}}, 1, QDate(2026, 12, 7)),
                                                  }));
        auto session = startSession();
        QCOMPARE(session->syndicates().selected(), 0); // shown, not yet chosen
        QCOMPARE(session->syndicates().details().record, 1);
        QCOMPARE(Wording::drawsPlayedText(session->syndicates().details()), QStringLiteral("2"));
        // A prize in each of its two draws, both counted from the start.
        QCOMPARE(Wording::effectivenessText(session->syndicates().details()), QStringLiteral("100 %"));

        QSignalSpy details(session.get(), &Session::syndicateDetailsChanged);
        session->selectSyndicate(2);
        QCOMPARE(details.count(), 1);
        QCOMPARE(session->syndicates().selected(), 2);
        QCOMPARE(Wording::detailLines(session->syndicates().details()),
                 (QStringList {QStringLiteral("Número clave:  1"), QStringLiteral(" 7- 8- 9-10-11"), QStringLiteral(" 1- 2-13-14-15")}));
        QCOMPARE(Wording::drawsPlayedText(session->syndicates().details()), QStringLiteral("0"));
        QCOMPARE(Wording::effectivenessText(session->syndicates().details()), QStringLiteral("0 %"));
        // The overall figures: A played from 23 November, two draws, two prizes.
        QCOMPARE(session->drawsSinceFirstSyndicate(), 2);
        QCOMPARE(Wording::overallText(session->syndicates().list()), QStringLiteral("100% de efectividad en premios"));
        QCOMPARE(Wording::overallDrawsText(session->syndicates().list()), QStringLiteral("en 2 sorteos"));

        // A rebuilt list goes back to the first syndicate's details; the
        // selection stays while it names a record.
        session->updateStatus();
        QCOMPARE(session->syndicates().details().record, 1);
        QCOMPARE(session->syndicates().selected(), 2);
        session->syndicates().file().close();
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 23)),
                                                  }));
        session->syndicates().file().open(path("apuestas.dat"));
        session->updateStatus();
        QCOMPARE(session->syndicates().selected(), 0);
    }

    void emptySyndicateFile()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        auto session = startSession();
        QVERIFY(session->syndicates().list().items.empty());
        QCOMPARE(Wording::overallText(session->syndicates().list()), QStringLiteral("¡Nunca has acertado nada!"));
        QCOMPARE(Wording::drawsPlayedText(session->syndicates().details()), QStringLiteral("-"));
        QCOMPARE(Wording::effectivenessText(session->syndicates().details()), QStringLiteral("-"));
        session->selectSyndicate(1); // nothing to select
        QCOMPARE(session->syndicates().selected(), 0);
        QVERIFY(m_prompter.boxes.isEmpty());
    }

    void readOnlySyndicateFile()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        const QByteArray bytes = Fixtures::bytesOf({
            Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 1)),
        });
        Fixtures::writeFile(path("apuestas.dat"), bytes);
        QFile::setPermissions(path("apuestas.dat"), QFileDevice::ReadOwner);
        if (QFileInfo(path("apuestas.dat")).isWritable())
            QSKIP("running with rights that ignore file permissions");
        auto session = startSession();
        // Shown as usual, the counters as on disk, nothing written.
        QCOMPARE(session->simpleResults().rowCount(), 4);
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), bytes);
        session->setDrawsToShow(3);
        QCOMPARE(session->simpleResults().rowCount(), 12);
        QCOMPARE(Fixtures::readFile(path("apuestas.dat")), bytes);
    }

    void prizeNotice()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        Fixtures::writeFile(path("apuestas.dat"), Fixtures::bytesOf({
                                                      Fixtures::simpleSyndicate(QStringLiteral("A"), {{1, 2, 3, 4, 5}}, 5, QDate(2026, 11, 1)),
                                                  }));
        auto session = startSession();
        // Without a download's notice a prize does not flash.
        QCOMPARE(session->notice().prizeBlink(), 0);
        QVERIFY(!session->notice().animationRunning());

        QSignalSpy notice(session.get(), &Session::prizeNoticeChanged);
        session->setStoredDrawsNotice(1);
        session->scrutinizeSimpleSyndicates(1);
        QCOMPARE(session->notice().prizeBlink(), 1);
        QVERIFY(session->notice().animationRunning());
        QCOMPARE(notice.count(), 2);

        session->stopPrizeAnimation();
        QVERIFY(!session->notice().animationRunning());
        QCOMPARE(session->notice().storedDrawsNotice(), 0);
        // "Histórico" clears the notice as well.
        session->setStoredDrawsNotice(2);
        session->setHistorico(true);
        QCOMPARE(session->notice().storedDrawsNotice(), 0);
        session->clearPrizeBlink();
        QCOMPARE(session->notice().prizeBlink(), 0);
    }

    void newestDrawPutsTheCountBack()
    {
        Fixtures::writeFile(path("numeros.dat"), Fixtures::bytesOf(threeDraws()));
        auto session = startSession();
        session->setDrawsToShow(3);
        QSignalSpy reset(session.get(), &Session::scrollBarsReset);
        QSignalSpy options(session.get(), &Session::viewOptionsChanged);
        session->showNewestDraw();
        QCOMPARE(session->view().drawsToShow(), 1);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(options.count(), 1);
        session->showNewestDraw();
        QCOMPARE(reset.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestScrutinySession)
#include "tst_scrutiny_session.moc"
