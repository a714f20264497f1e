// The desktop notice of a download's prizes: its Spanish text, one notice per
// peña, and a notifier that fails.

#include "base/notifier.h"
#include "core/prizewatch.h"
#include "wording/prizewording.h"

#include <QTest>

namespace
{
    class FakeNotifier final : public Notifier
    {
    public:
        bool notify(const QString &title, const QString &body) override
        {
            shown.push_back({title, body});
            return !failing;
        }
        QString errorString() const override { return failing ? QStringLiteral("sin escritorio") : QString(); }

        std::vector<Wording::PrizeNotification> shown;
        bool failing = false;
    };
}

class TestPrizeWatch : public QObject
{
    Q_OBJECT

private slots:
    void noticesNameTheSyndicateCategoryAndAmount()
    {
        const std::vector<PrizeWin> prizes = {
            {1, QStringLiteral("BAR"), {2026, 11, 29}, 5, 1, 4098},
            {1, QStringLiteral("BAR"), {2026, 11, 29}, 9, 1, 150},
            {2, QStringLiteral("LOS DE SIEMPRE"), {2026, 12, 6}, 8, 3, 123456},
            {1, QStringLiteral("BAR"), {2026, 12, 6}, 1, 1, std::nullopt},
            {1, QStringLiteral("BAR"), {2026, 12, 6}, 2, 1, std::nullopt, true},
        };
        FakeNotifier notifier;
        QCOMPARE(Wording::sendPrizeNotifications(notifier, prizes), QString());
        QCOMPARE(notifier.shown.size(), std::size_t(2));
        QCOMPARE(notifier.shown[0].title, QStringLiteral("Premio en la peña BAR"));
        QCOMPARE(notifier.shown[0].body, QStringLiteral("29/11/2026, 5ª categoría (3 + 1): 40,98 €\n"
                                                        "29/11/2026, reintegro: 1,50 €\n"
                                                        "06/12/2026, 1ª categoría (5 + 1): importe pendiente\n"
                                                        "06/12/2026, 2ª categoría (5 + 0): premio sin confirmar"));
        QCOMPARE(notifier.shown[1].title, QStringLiteral("Premio en la peña LOS DE SIEMPRE"));
        QCOMPARE(notifier.shown[1].body, QStringLiteral("06/12/2026, 8ª categoría (2 + 0), 3 apuestas: 1.234,56 €"));
        QCOMPARE(Wording::prizeNotifications(prizes), notifier.shown);

        // Each peña is still tried when the desktop refuses; the reason comes back once.
        FakeNotifier refusing;
        refusing.failing = true;
        QCOMPARE(Wording::sendPrizeNotifications(refusing, prizes), QStringLiteral("sin escritorio"));
        QCOMPARE(refusing.shown.size(), std::size_t(2));

        FakeNotifier idle;
        QCOMPARE(Wording::sendPrizeNotifications(idle, {}), QString());
        QVERIFY(idle.shown.empty());
    }
};

QTEST_GUILESS_MAIN(TestPrizeWatch)
#include "tst_prizewatch.moc"
