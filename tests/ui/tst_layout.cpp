// Every tab and window at a small and a common screen size: no two visible
// controls overlap and no label or button shows its text cut short.

#include "base/clock.h"
#include "base/urlopener.h"
#include "core/membership.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "support/fixtures.h"
#include "support/recordingprompter.h"
#include "ui/acercade.h"
#include "ui/crea.h"
#include "ui/creamenu.h"
#include "ui/mainwindow.h"
#include "ui/newswindow.h"
#include "ui/presentacion.h"
#include "ui/printwindow.h"
#include "ui/reduccion.h"
#include "ui/systemprintdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QtCharts/QChartView>

namespace
{
    class NoBrowser final : public UrlOpener
    {
    public:
        void open(const QUrl &) override {}
    };

    bool insideCompound(const QWidget *w, const QWidget *top)
    {
        for (const QWidget *p = w->parentWidget(); p && p != top; p = p->parentWidget()) {
            if (qobject_cast<const QAbstractItemView *>(p) || qobject_cast<const QAbstractSpinBox *>(p)
                || qobject_cast<const QComboBox *>(p) || qobject_cast<const QChartView *>(p)
                || qobject_cast<const QTabBar *>(p))
                return true;
        }
        return false;
    }

    bool isControl(const QWidget *w)
    {
        return qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w)
            || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
            || qobject_cast<const QAbstractItemView *>(w) || qobject_cast<const QProgressBar *>(w)
            || qobject_cast<const QChartView *>(w) || qobject_cast<const QAbstractScrollArea *>(w)
            || (qobject_cast<const QScrollBar *>(w) && !w->objectName().isEmpty());
    }

    // What is wrong with the controls in sight on top, in words; empty when nothing.
    QStringList problems(QWidget *top)
    {
        QList<QWidget *> controls;
        for (QWidget *w : top->findChildren<QWidget *>()) {
            if (w->isVisibleTo(top) && w->isVisible() && isControl(w) && !insideCompound(w, top) && w->width() > 0)
                controls << w;
        }
        QStringList found;
        auto name = [](const QWidget *w) {
            return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        };
        for (int i = 0; i < controls.size(); ++i) {
            const QRect a(controls[i]->mapTo(top, QPoint(0, 0)), controls[i]->size());
            for (int j = i + 1; j < controls.size(); ++j) {
                if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i]))
                    continue;
                const QRect b(controls[j]->mapTo(top, QPoint(0, 0)), controls[j]->size());
                const QRect both = a.intersected(b);
                if (both.width() > 1 && both.height() > 1)
                    found << QStringLiteral("%1 overlaps %2").arg(name(controls[i]), name(controls[j]));
            }
            if (auto *label = qobject_cast<QLabel *>(controls[i]); label && !label->wordWrap() && !label->text().isEmpty()
                && label->pixmap().isNull() && !Qt::mightBeRichText(label->text())) {
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                if (needed > label->contentsRect().width() + 1)
                    found << QStringLiteral("%1 cut short (%2 of %3 px)").arg(name(label)).arg(label->contentsRect().width()).arg(needed);
            }
            if (auto *button = qobject_cast<QPushButton *>(controls[i]); button && !button->text().isEmpty()) {
                const int needed = button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&')));
                if (needed > button->width())
                    found << QStringLiteral("%1 cut short").arg(name(button));
            }
            // A box or a round button needs its mark, the gap and the whole text.
            if (auto *box = qobject_cast<QAbstractButton *>(controls[i]);
                (qobject_cast<QCheckBox *>(box) || qobject_cast<QRadioButton *>(box)) && !box->text().isEmpty()
                && box->width() < box->sizeHint().width())
                found << QStringLiteral("%1 cut short (%2 of %3 px)").arg(name(box)).arg(box->width()).arg(box->sizeHint().width());
        }
        return found;
    }
}

namespace
{
    // Run with QT_SCALE_FACTOR=2 (ctest's tst_layout_2x), the windows meet
    // the screen they would on a laptop at double scale.
    bool doubled()
    {
        return qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2;
    }

    QSize screenSize()
    {
        return QGuiApplication::primaryScreen()->availableGeometry().size();
    }

    // Every button, box and field of top can be brought into sight: scrolled
    // to, it lies inside the window and inside every scroll area around it.
    QStringList unreachable(QWidget *top)
    {
        QStringList found;
        for (QWidget *w : top->findChildren<QWidget *>()) {
            const bool input = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
                || qobject_cast<QAbstractSpinBox *>(w);
            if (!input || !w->isVisibleTo(top) || insideCompound(w, top) || qobject_cast<QTabBar *>(w->parentWidget()))
                continue;
            for (QWidget *p = w->parentWidget(); p && p != top; p = p->parentWidget()) {
                if (auto *area = qobject_cast<QScrollArea *>(p))
                    area->ensureWidgetVisible(w, 0, 0);
            }
            QCoreApplication::processEvents();
            const QPoint centre = w->mapTo(top, w->rect().center());
            bool seen = top->rect().contains(centre);
            for (QWidget *p = w->parentWidget(); p && p != top && seen; p = p->parentWidget()) {
                if (auto *area = qobject_cast<QAbstractScrollArea *>(p))
                    seen = QRect(area->viewport()->mapTo(top, QPoint(0, 0)), area->viewport()->size()).contains(centre);
            }
            if (!seen)
                found << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
        }
        return found;
    }
}

class TestLayout : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock {QDate(2026, 8, 20)};
    RecordingPrompter m_prompter;
    std::unique_ptr<Session> m_session;

private slots:
    void initTestCase()
    {
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("numeros.dat")), Fixtures::bytesOf(Fixtures::realDraws())));
        // The largest peñas there are: 24 simple bets, and an 11-number multiple.
        SyndicateRecord full = Fixtures::simpleSyndicate(QStringLiteral("PEÑA DE VEINTICUATRO"), {}, 5, QDate(2025, 1, 4));
        full.kind = 24;
        for (int b = 0; b < 24; ++b) {
            for (int slot = 0; slot < 5; ++slot)
                full.bets[b][slot] = std::int16_t(1 + b + slot * 6);
        }
        full.bets[0][5] = 5;
        SyndicateRecord multiple = Fixtures::simpleSyndicate(QStringLiteral("ONCE NÚMEROS"), {}, 0, QDate(2025, 1, 4));
        multiple.kind = 106;
        multiple.bets[0] = {2, 9, 15, 22, 28, 33, 41, 47, 50, 52, 53, 3};
        QVERIFY(Fixtures::writeFile(m_dir.filePath(QStringLiteral("apuestas.dat")), Fixtures::bytesOf({full, multiple})));
        m_session = std::make_unique<Session>(m_clock, m_prompter);
        QVERIFY(m_session->start(m_dir.path()));
        // Members with long names and euros to share.
        for (const char *name : {"Ana María López", "Luis Fernández", "Pepe"})
            QVERIFY(Membership(*m_session).add(1, QString::fromUtf8(name), 2).isDone());
    }

    // The checker itself sees an overlap, a cut text and a cut box.
    void checkerSeesFaults()
    {
        QWidget probe;
        auto *a = new QLabel(QStringLiteral("uno dos tres cuatro"), &probe);
        auto *b = new QLabel(QStringLiteral("cinco"), &probe);
        a->setGeometry(0, 0, 40, 20);
        b->setGeometry(10, 5, 200, 20);
        auto *box = new QCheckBox(QStringLiteral("Ver sólo si hay premio"), &probe);
        box->setGeometry(0, 40, 40, 20);
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        QCOMPARE(problems(&probe).size(), 3);
    }

    void everyTabFits_data()
    {
        QTest::addColumn<QSize>("size");
        if (doubled()) {
            QTest::newRow("1366x768 at 2x") << screenSize();
            return;
        }
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1024x640") << QSize(1024, 640);
        QTest::newRow("1366x768") << QSize(1366, 768);
    }

    void everyTabFits()
    {
        QFETCH(QSize, size);
        MainWindow window(*m_session);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        m_session->selectSyndicate(1);
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
        auto *details = window.findChild<QTabWidget *>(QStringLiteral("Detalles"));
        auto *statsPages = window.findChild<QTabWidget *>(QStringLiteral("StatsPages"));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            // The manager tab's pages (hits, money, members) one by one, and
            // the statistics tab's.
            const int pages = tab == 2 ? details->count() : tab == 3 ? statsPages->count()
                                                                     : 1;
            for (int page = 0; page < pages; ++page) {
                details->setCurrentIndex(tab == 2 ? page : 0);
                statsPages->setCurrentIndex(tab == 3 ? page : 0);
                QTest::qWait(250); // the result list grows into place
                const QStringList wrong = problems(&window);
                QVERIFY2(wrong.isEmpty(), qPrintable(tabs->tabText(tab) + QLatin1Char('/') + (tab == 3 ? statsPages : details)->tabText(page) + QStringLiteral(": ") + wrong.join(QStringLiteral("; "))));
            }
        }
        QVERIFY(window.height() <= size.height() && window.width() <= size.width());
    }

    // At the size the window takes on a 1366x768 screen, the money and the
    // members show every column without scrolling sideways.
    void moneyAndMemberColumnsInSight()
    {
        if (doubled())
            QSKIP("the columns are checked at normal scale");
        MainWindow window(*m_session);
        window.resize(980, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        m_session->selectSyndicate(1);
        window.findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
        auto *details = window.findChild<QTabWidget *>(QStringLiteral("Detalles"));
        for (int page = 0; page < details->count(); ++page) {
            details->setCurrentIndex(page);
            QTest::qWait(50);
            auto *area = qobject_cast<QScrollArea *>(details->currentWidget());
            QVERIFY(area);
            QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(details->tabText(page)));
            if (auto *table = area->findChild<QTableView *>(QStringLiteral("TablaSocios"))) {
                QVERIFY(!table->horizontalScrollBar()->isVisible());
                const int last = table->model()->columnCount() - 1;
                QVERIFY2(table->horizontalHeader()->sectionViewportPosition(last) + table->horizontalHeader()->sectionSize(last)
                             <= table->viewport()->width(),
                         "Socios: the last column is cut");
            }
        }
    }

    // At double scale the creation and printing windows can be used whole:
    // a peña can be typed in and printed.
    void everyControlReachable()
    {
        if (!doubled())
            QSKIP("run as tst_layout_2x");
        // The laptop's screen, halved.
        QVERIFY2(screenSize().width() <= 683 && screenSize().height() <= 384, qPrintable(QString::number(screenSize().width())));
        SystemPrintDialog dialog;
        Imprimir printing(*m_session, 1, dialog);
        SyndicateCreation creation(*m_session);
        Crea crea(*m_session, creation);
        NoBrowser browser;
        Acercade about(Endpoints {}, browser);
        Creamenu chooser(creation);
        for (QWidget *w : {static_cast<QWidget *>(&crea), static_cast<QWidget *>(&printing),
                           static_cast<QWidget *>(&about), static_cast<QWidget *>(&chooser)}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY2(w->frameGeometry().width() <= screenSize().width() && w->frameGeometry().height() <= screenSize().height(),
                     qPrintable(w->objectName()));
            const QStringList hidden = unreachable(w);
            QVERIFY2(hidden.isEmpty(), qPrintable(w->objectName() + QStringLiteral(": ") + hidden.join(QStringLiteral(", "))));
            w->hide();
        }
        // The same in the main window, tab by tab.
        MainWindow window(*m_session);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.frameGeometry().height() <= screenSize().height());
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            const QStringList hidden = unreachable(&window);
            QVERIFY2(hidden.isEmpty(), qPrintable(tabs->tabText(tab) + QStringLiteral(": ") + hidden.join(QStringLiteral(", "))));
        }
    }

    void otherWindowsFit_data() { everyTabFits_data(); }

    // Each window on a screen of that size: no larger than the screen, and
    // nothing overlapping or cut once made to fit.
    void otherWindowsFit()
    {
        QFETCH(QSize, size);
        SystemPrintDialog dialog;
        Imprimir printing(*m_session, 1, dialog);
        SyndicateCreation creation(*m_session);
        Crea crea(*m_session, creation);
        NoBrowser browser;
        Acercade about(Endpoints {}, browser);
        Creamenu chooser(creation);
        Presentacion splash;
        Infor news(m_dir.filePath(QStringLiteral("informe.dat")));
        Reduccion reduction(*m_session);
        for (QWidget *w : {static_cast<QWidget *>(&printing), static_cast<QWidget *>(&crea), static_cast<QWidget *>(&about),
                           static_cast<QWidget *>(&chooser), static_cast<QWidget *>(&splash), static_cast<QWidget *>(&news),
                           static_cast<QWidget *>(&reduction)}) {
            w->resize(w->size().boundedTo(size));
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY2(w->width() <= size.width() && w->height() <= size.height(), qPrintable(w->objectName()));
            const QStringList wrong = problems(w);
            QVERIFY2(wrong.isEmpty(), qPrintable(w->objectName() + QStringLiteral(": ") + wrong.join(QStringLiteral("; "))));
            w->hide();
        }
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
