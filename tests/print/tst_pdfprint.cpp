// Whole print jobs into PDF files through quorvale-cli's print command, read
// back with poppler-utils: pages, fonts and where each "X" landed.

#include "../../cli/printcommand.h"
#include "base/clock.h"
#include "core/session.h"
#include "print/sliplayout.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace
{
    const QDate kToday(2026, 3, 1);
    constexpr qreal kMmPerPoint = 25.4 / 72.0;

    struct Word
    {
        int page;
        QString text;
        QPointF topLeft; // millimetres
        qreal width;
    };

    QString run(const QString &tool, const QStringList &arguments)
    {
        QProcess process;
        process.start(tool, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    int pageCount(const QString &pdf)
    {
        const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
                               .match(run(QStringLiteral("pdfinfo"), {pdf}));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    // pdftotext -bbox: one <word> per text run, in points from the page's top left.
    QList<Word> words(const QString &pdf)
    {
        const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QList<Word> found;
        int page = 0;
        static const QRegularExpression token(QStringLiteral(
            "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
        for (auto it = token.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(0).startsWith(QLatin1String("<page"))) {
                ++page;
                continue;
            }
            const qreal xMin = m.captured(1).toDouble() * kMmPerPoint;
            found.append({page, m.captured(4), QPointF(xMin, m.captured(2).toDouble() * kMmPerPoint),
                          m.captured(3).toDouble() * kMmPerPoint - xMin});
        }
        return found;
    }

    // Marks close together on a row come out as one word, "XXXX"; its width
    // less one mark's gives the spacing of the marks in it.
    QList<QPointF> marksOn(const QList<Word> &all, int page)
    {
        static const QRegularExpression onlyMarks(QStringLiteral("^X+$"));
        qreal markWidth = 0;
        for (const Word &w : all) {
            if (w.text == QLatin1String("X"))
                markWidth = w.width;
        }
        QList<QPointF> marks;
        for (const Word &w : all) {
            if (w.page != page || !onlyMarks.match(w.text).hasMatch())
                continue;
            const qsizetype count = w.text.size();
            const qreal step = count > 1 ? (w.width - markWidth) / qreal(count - 1) : 0;
            for (qsizetype i = 0; i < count; ++i)
                marks.append(w.topLeft + QPointF(step * qreal(i), 0));
        }
        return marks;
    }

    // The word's box starts at the glyph's origin and the font's ascent: the
    // top left of the line the mark was placed by. PDF coordinates round to
    // a few thousandths of a millimetre.
    bool markAt(const QList<QPointF> &marks, QPointF expected)
    {
        return std::any_of(marks.begin(), marks.end(), [&](QPointF m) {
            return std::abs(m.x() - expected.x()) < 0.05 && std::abs(m.y() - expected.y()) < 0.1;
        });
    }

    // With QUORVALE_SCREENSHOTS set, the printouts are kept there to look at.
    void keepPrintout(const QString &pdf)
    {
        const QString dir = qEnvironmentVariable("QUORVALE_SCREENSHOTS");
        if (!dir.isEmpty()) {
            const QString kept = dir + QLatin1Char('/') + QFileInfo(pdf).fileName();
            QFile::remove(kept);
            QFile::copy(pdf, kept);
        }
    }

    SyndicateRecord simpleOf(const QString &name, int bets, int key)
    {
        SyndicateRecord s = Fixtures::simpleSyndicate(name, {}, key, QDate(2026, 1, 4));
        s.kind = std::int16_t(bets);
        for (int b = 0; b < bets; ++b) {
            for (int slot = 0; slot < 5; ++slot)
                s.bets[b][slot] = std::int16_t(1 + (b + slot * 11) % 54);
        }
        s.bets[0][5] = std::int16_t(key);
        return s;
    }
}

class TestPdfPrint : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_out; // printouts go outside the data directory
    FixedClock m_clock {kToday};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;
    std::vector<SyndicateRecord> m_syndicates;

    QString pdfPath(const char *name) const { return m_out.filePath(QLatin1String(name)); }

    int print(const QStringList &arguments)
    {
        return Cli::runPrint(*m_session, m_prompter, QStringList {QStringLiteral("print")} + arguments);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils is not installed (scripts/install-deps.sh installs it)");
        QVERIFY(m_dir.isValid());
        SyndicateRecord official = simpleOf(QStringLiteral("OFICIAL"), 3, 0);
        official.bets[0] = {1, 12, 23, 34, 45, 0};
        official.bets[2] = {10, 20, 30, 40, 54};
        SyndicateRecord multiple = simpleOf(QStringLiteral("MULTIPLE"), 1, 0);
        multiple.kind = 104;
        multiple.bets[0] = {2, 9, 15, 22, 28, 33, 41, 47, 53, 6, 0, 0};
        m_syndicates = {simpleOf(QStringLiteral("LOS VEINTICUATRO"), 24, 7), official, multiple};
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf(m_syndicates)));
        PrintCalibration calibration;
        calibration.offsetX = 10;
        calibration.offsetY = 20;
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("nums.ini")), calibration.toBytes()));
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir.path()));
        QCOMPARE(m_session->syndicates().records().size(), std::size_t(3));
        m_prompter.boxes.clear();
    }

    void plainPaperFourParticipationsOnTwoPages()
    {
        const QString pdf = pdfPath("llano.pdf");
        QCOMPARE(print({QStringLiteral("--syndicate"), QStringLiteral("1"), QStringLiteral("--plain"),
                        QStringLiteral("--pdf"), pdf}),
                 0);
        QVERIFY(m_prompter.boxes.isEmpty());
        QCOMPARE(pageCount(pdf), 2);
        keepPrintout(pdf);
        const QList<Word> all = words(pdf);
        const SyndicateRecord &s = m_syndicates[0];
        for (int page = 1; page <= 2; ++page) {
            const QList<QPointF> marks = marksOn(all, page);
            QCOMPARE(marks.size(), 2 * (30 + 1));
            for (int half = 0; half < 2; ++half) {
                const int slip = (page - 1) * 2 + half;
                const QPointF origin(25.8, 45 + 104 * half);
                for (int block = 1; block <= 6; ++block) {
                    for (int slot = 0; slot < 5; ++slot) {
                        const QPointF at = SlipLayout::cellPosition(origin, block, s.bets[slip * 6 + block - 1][slot]);
                        QVERIFY2(markAt(marks, at),
                                 qPrintable(QStringLiteral("slip %1 block %2: (%3, %4)").arg(slip + 1).arg(block).arg(at.x()).arg(at.y())));
                    }
                }
                QVERIFY(markAt(marks, SlipLayout::cellPosition(origin, 7, 17)));
            }
        }
        QStringList texts;
        for (const Word &w : all)
            texts << w.text;
        QVERIFY(texts.contains(QStringLiteral("Primitiva")) && texts.contains(QStringLiteral("Domingo,")));
        // The grey grid under the marks: every number of a block, and the keys.
        QVERIFY(texts.contains(QStringLiteral("54")) && texts.contains(QStringLiteral("9")));
        QVERIFY(texts.contains(QStringLiteral("VEINTICUATRO")));

        // Arial, or the sans with Arial's widths where Arial is not installed.
        const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("(Arial|LiberationSans)-Bold"))), qPrintable(fonts));
    }

    void officialSlipWithTheCalibration()
    {
        const QString pdf = pdfPath("oficial.pdf");
        QCOMPARE(print({QStringLiteral("--syndicate=2"), QStringLiteral("--official"), QStringLiteral("--pdf"), pdf}), 0);
        QCOMPARE(pageCount(pdf), 1);
        keepPrintout(pdf);
        const QList<Word> all = words(pdf);
        const QList<QPointF> marks = marksOn(all, 1);
        QCOMPARE(marks.size(), 15 + 1);
        QVERIFY(markAt(marks, QPointF(10, 25))); // block 1, number 1
        QVERIFY(markAt(marks, QPointF(74, 40))); // block 3, number 54
        QVERIFY(markAt(marks, QPointF(148.8, 20))); // key 0
        const auto header = std::find_if(all.begin(), all.end(), [](const Word &w) { return w.text == QLatin1String("Boleto"); });
        QVERIFY(header != all.end());
        QVERIFY(std::abs(header->topLeft.x() - 10) < 0.05 && std::abs(header->topLeft.y() - 13) < 0.1);
    }

    void multipleBetSizeMark()
    {
        const QString pdf = pdfPath("multiple.pdf");
        QCOMPARE(print({QStringLiteral("--syndicate"), QStringLiteral("3"), QStringLiteral("--official"),
                        QStringLiteral("--pdf"), pdf}),
                 0);
        keepPrintout(pdf);
        const QList<QPointF> marks = marksOn(words(pdf), 1);
        QCOMPARE(marks.size(), 9 + 1 + 1);
        QVERIFY(markAt(marks, QPointF(10 + 22.5 + 3.8, 20 + 55))); // 9 numbers
        QVERIFY(markAt(marks, QPointF(10 + 135 + 3.8, 20 + 30))); // key 6
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such syndicate") << QStringList {"--syndicate", "4", "--plain", "--pdf", "x.pdf"} << "No existe la peña 4";
        QTest::newRow("not a number") << QStringList {"--syndicate", "uno", "--plain", "--pdf", "x.pdf"}
                                      << "--syndicate: el número de la peña";
        QTest::newRow("syndicate 0") << QStringList {"--syndicate", "0", "--plain", "--pdf", "x.pdf"}
                                     << "--syndicate: el número de la peña";
        QTest::newRow("no paper") << QStringList {"--syndicate", "1", "--pdf", "x.pdf"} << "Faltan datos";
        QTest::newRow("both papers") << QStringList {"--syndicate", "1", "--plain", "--official", "--pdf", "x.pdf"}
                                     << "no ambos";
        QTest::newRow("no file") << QStringList {"--syndicate", "1", "--plain"} << "Faltan datos";
        QTest::newRow("no value") << QStringList {"--plain", "--pdf", "x.pdf", "--syndicate"} << "Falta el valor";
        QTest::newRow("unknown option") << QStringList {"--syndicate", "1", "--plain", "--pdf", "x.pdf", "--color", "rojo"}
                                        << "Opción desconocida: --color";
        QTest::newRow("unwritable folder") << QStringList {"--syndicate", "1", "--plain", "--pdf", "no/hay/tal/x.pdf"}
                                           << "No se puede escribir";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QDir here(m_out.path());
        for (QString &a : arguments) {
            if (a.endsWith(QLatin1String(".pdf")))
                a = here.filePath(a);
        }
        m_prompter.boxes.clear();
        // A call that cannot be understood is a usage error; one that names
        // what does not exist, or cannot be written, a failure.
        const bool usage = !message.startsWith(QLatin1String("No "));
        QCOMPARE(print(arguments), usage ? 2 : 1);
        QCOMPARE(m_prompter.boxes.size(), 1);
        QCOMPARE(m_prompter.boxes[0].title, QStringLiteral("IMPRIMIR BOLETOS"));
        QVERIFY2(m_prompter.boxes[0].text.contains(message), qPrintable(m_prompter.boxes[0].text));
        QVERIFY(!QFile::exists(here.filePath(QStringLiteral("x.pdf"))));
    }

    // A damaged record: nothing to print, and a file already there is kept.
    void nothingToPrintKeepsTheFile()
    {
        SyndicateRecord damaged = m_syndicates[0];
        damaged.kind = 0;
        QVERIFY(m_session->syndicates().file().put(4, damaged));
        m_session->loadSyndicateList();
        const QString pdf = pdfPath("kept.pdf");
        QVERIFY(Fixtures::writeFile(pdf, "previous"));
        m_prompter.boxes.clear();
        QCOMPARE(print({QStringLiteral("--syndicate"), QStringLiteral("4"), QStringLiteral("--plain"),
                        QStringLiteral("--pdf"), pdf}),
                 1);
        QVERIFY(m_prompter.boxes.value(0).text.contains(QStringLiteral("no tiene apuestas")));
        QCOMPARE(Fixtures::readFile(pdf), QByteArray("previous"));
    }
};

QTEST_MAIN(TestPdfPrint)
#include "tst_pdfprint.moc"
