#include "base/clock.h"
#include "base/qttranslations.h"
#include "core/datadir.h"
#include "core/datalock.h"
#include "core/session.h"
#include "core/startoptions.h"
#include "ui/mainwindow.h"
#include "ui/messageboxprompter.h"
#include "ui/presentacion.h"
#include "ui/productpicture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

#include <memory>

namespace
{
    void describe(QCommandLineParser &parser)
    {
        parser.setApplicationDescription(QStringLiteral("Quorvale - Para El Gordo de la Primitiva."));
        StartOptions::addHelpAndVersion(parser);
        StartOptions::addTo(parser);
    }

    // Help and version need no window, so they work without a display.
    bool asksForTextOnly(int argc, char *argv[])
    {
        for (int i = 1; i < argc; ++i) {
            for (const char *option : {"-h", "--help", "-v", "--version"}) {
                if (qstrcmp(argv[i], option) == 0)
                    return true;
            }
        }
        return false;
    }
}

int main(int argc, char *argv[])
{
    if (asksForTextOnly(argc, argv)) {
        QCoreApplication text(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
        QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
        installQtTranslations();
        QCommandLineParser parser;
        describe(parser);
        parser.process(text);
        StartOptions::answerHelpOrVersion(parser);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    QApplication::setWindowIcon(QIcon(ProductPicture::render(QSize(128, 128))));
    QApplication::setDesktopFileName(QStringLiteral("quorvale"));
    installQtTranslations(QtSpanish::TextsAndLocale);

    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    StartOptions::answerHelpOrVersion(parser);

    StartOptions options;
    QString error;
    if (!options.readFrom(parser, &error)) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvale"), error);
        return 2;
    }

    const QString dataDir = resolveDataDir(options.dataDir, QApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvale"),
                              QStringLiteral("No se puede usar el directorio de datos %1.").arg(options.dataDir));
        return 1;
    }

    // A second window on the same files would lose the other's records.
    DataDirLock lock(dataDir);
    switch (lock.acquire(0)) {
    case DataDirLock::Result::Acquired:
        break;
    case DataDirLock::Result::Busy:
        QMessageBox::information(nullptr, QStringLiteral("Quorvale"), lock.busyText());
        return 4;
    case DataDirLock::Result::Failed:
        QMessageBox::critical(nullptr, QStringLiteral("Quorvale"), lock.failedText());
        return 1;
    }

    std::unique_ptr<Clock> clock;
    if (options.today.isValid())
        clock = std::make_unique<FixedClock>(options.today);
    else
        clock = std::make_unique<SystemClock>();

    options.endpoints.userGuide = installedGuide(QApplication::applicationDirPath());
    MessageBoxPrompter prompter;
    Session session(*clock, prompter, options.endpoints);
    std::unique_ptr<MainWindow> window;

    // The splash first; "Entrar" or its pause opens the main window, whose
    // start closes the splash.
    Presentacion splash;
    QObject::connect(&splash, &Presentacion::enterRequested, &splash, [&] {
        if (window)
            return;
        session.start(dataDir);
        window = std::make_unique<MainWindow>(session);
        prompter.setParent(window.get());
        window->show();
        splash.close();
    });
    splash.show();
    return QApplication::exec();
}
