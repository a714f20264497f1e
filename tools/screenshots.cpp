// Screenshots for the user guide, taken from the real windows on a prepared
// data directory (scripts/screenshots.sh makes one and runs this).
//
//   screenshots DATA_DIR OUTPUT_DIR [--today AAAA-MM-DD] [--size WxH]
//
// Without --size the main window has its own start size on the screen.

#include "base/clock.h"
#include "core/session.h"
#include "core/syndicatecreation.h"
#include "ui/crea.h"
#include "ui/desktopseams.h"
#include "ui/mainwindow.h"
#include "ui/messageboxprompter.h"
#include "ui/presentacion.h"
#include "ui/printwindow.h"
#include "ui/reduccion.h"
#include "ui/systemprintdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QTreeWidget>

#include <cstdio>

namespace
{
    // Answers every box with OK/No without showing it: nothing may wait for a click.
    class SilentPrompter final : public FrontEnd
    {
    public:
        Answer show(Icon, const QString &, const QString &, Buttons buttons) override
        {
            return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
        }
        void tell(const Outcome &) override {}
    };

    // Lets animations (the result lists grow into place) run to their end.
    void settle()
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 400) {
            QApplication::processEvents();
            QThread::msleep(10);
        }
    }

    bool save(QWidget *widget, const QString &path)
    {
        settle();
        const bool ok = widget->grab().save(path);
        std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
        return ok;
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: screenshots DATA_DIR OUTPUT_DIR [--today AAAA-MM-DD]\n");
        return 2;
    }
    const QString out = args[2];
    QDir().mkpath(out);
    QDate today = QDate::currentDate();
    if (const int at = int(args.indexOf(QStringLiteral("--today"))); at > 0 && at + 1 < args.size())
        today = QDate::fromString(args[at + 1], Qt::ISODate);

    FixedClock clock(today);
    SilentPrompter prompter;
    Session session(clock, prompter);
    if (!session.start(args[1]))
        return 1;

    bool ok = true;
    Presentacion splash;
    splash.show();
    ok &= save(&splash, out + QStringLiteral("/presentacion.png"));
    splash.hide();

    // Without --size the window keeps the size it takes by itself on the
    // screen, as the user sees it at start.
    MainWindow window(session);
    if (const int at = int(args.indexOf(QStringLiteral("--size"))); at > 0 && at + 1 < args.size()) {
        const QStringList wh = args[at + 1].split(QLatin1Char('x'));
        if (wh.size() == 2)
            window.resize(wh[0].toInt(), wh[1].toInt());
    }
    window.show();
    settle();

    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    // The results of the last ten draws, prizes only, history included.
    window.findChild<QScrollBar *>(QStringLiteral("HScroll1"))->setValue(10);
    window.findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
    window.findChild<QCheckBox *>(QStringLiteral("Check2"))->setChecked(true);
    settle();
    ok &= save(&window, out + QStringLiteral("/general-sencillas.png"));
    window.findChild<QPushButton *>(QStringLiteral("Command1_1"))->click();
    ok &= save(&window, out + QStringLiteral("/general-multiples.png"));

    tabs->setCurrentIndex(2);
    auto *syndicates = window.findChild<QTreeWidget *>(QStringLiteral("ListView1"));
    if (syndicates->topLevelItemCount() > 0)
        emit syndicates->itemClicked(syndicates->topLevelItem(0), 0);
    ok &= save(&window, out + QStringLiteral("/gestor.png"));
    if (auto *pages = window.findChild<QTabWidget *>(QStringLiteral("Detalles"))) {
        pages->setCurrentIndex(1);
        ok &= save(&window, out + QStringLiteral("/gestor-dinero.png"));
        pages->setCurrentIndex(2);
        ok &= save(&window, out + QStringLiteral("/gestor-socios.png"));
        pages->setCurrentIndex(3);
        ok &= save(&window, out + QStringLiteral("/gestor-premios.png"));
        pages->setCurrentIndex(0);
    }

    tabs->setCurrentIndex(3);
    ok &= save(&window, out + QStringLiteral("/estadisticas.png"));
    // The statistics pages over the last 50 draws, and a combination tried
    // over every draw.
    if (auto *pages = window.findChild<QTabWidget *>(QStringLiteral("StatsPages"))) {
        auto *period = window.findChild<QComboBox *>(QStringLiteral("StatsWindow"));
        period->setCurrentIndex(period->findText(QStringLiteral("Últimos 50 sorteos")));
        const char *names[] = {"numeros", "claves", "parejas", "forma"};
        for (int page = 1; page <= 4; ++page) {
            pages->setCurrentIndex(page);
            ok &= save(&window, out + QStringLiteral("/estadisticas-%1.png").arg(QLatin1String(names[page - 1])));
        }
        period->setCurrentIndex(period->findText(QStringLiteral("Todos los sorteos")));
        pages->setCurrentIndex(5);
        auto *typed = window.findChild<QLineEdit *>(QStringLiteral("TryNumbers"));
        typed->setText(QStringLiteral("3, 12, 25, 33, 48, 51"));
        emit typed->textEdited(typed->text());
        window.findChild<QSpinBox *>(QStringLiteral("TryKey"))->setValue(7);
        ok &= save(&window, out + QStringLiteral("/estadisticas-comprobar.png"));
        pages->setCurrentIndex(0);
    }

    tabs->setCurrentIndex(1);
    ok &= save(&window, out + QStringLiteral("/ultimo-sorteo.png"));

    // The window starts its slip afresh, so the cells are clicked once it
    // is there, as the user would: the key, then the numbers.
    SyndicateCreation creation(session);
    creation.setMultipleSize(0);
    Crea crea(session, creation);
    crea.show();
    for (int cell : {SyndicateCreation::kFirstKeyCell + 7, 2, 11, 24, 32, 47}) {
        if (auto *button = crea.findChild<QAbstractButton *>(QStringLiteral("Image1_%1").arg(cell)))
            button->click();
    }
    ok &= save(&crea, out + QStringLiteral("/crear-pena.png"));
    crea.hide();

    // A reduction of eleven numbers, "4 aciertos si salen 5", once found.
    Reduccion reduction(session);
    reduction.resize(1100, 640);
    reduction.setSeconds(3);
    reduction.show();
    for (int n : {4, 9, 13, 17, 21, 26, 30, 35, 41, 48, 52}) {
        if (auto *button = reduction.findChild<QAbstractButton *>(QStringLiteral("Numero_%1").arg(n)))
            button->click();
    }
    if (auto *calculate = reduction.findChild<QAbstractButton *>(QStringLiteral("Calcular")))
        calculate->click();
    QElapsedTimer waited;
    waited.start();
    while (reduction.isCalculating() && waited.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ok &= save(&reduction, out + QStringLiteral("/reduccion.png"));
    reduction.hide();

    SystemPrintDialog dialog;
    Imprimir printing(session, 1, dialog);
    DialogFileChooser chooser(&printing);
    printing.setFileChooser(&chooser);
    printing.show();
    ok &= save(&printing, out + QStringLiteral("/imprimir.png"));
    return ok ? 0 : 1;
}
