#include "base/clock.h"
#include "base/qttranslations.h"
#include "core/dataaccess.h"
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

#include <cstdio>
#include <memory>
#include <optional>

namespace
{
    void describe(QCommandLineParser &parser)
    {
        parser.setApplicationDescription(QStringLiteral("Quorvale - Para El Gordo de la Primitiva."));
        StartOptions::addHelpAndVersion(parser);
        StartOptions::addTo(parser);
    }

    int usageError(const QString &text)
    {
        std::fprintf(stderr, "%s\nPruebe: quorvale --help\n", qUtf8Printable(text));
        return 2;
    }

    // What QApplication takes for itself ("-platform offscreen", "-style
    // fusion", "-reverse"...) is not ours to refuse.
    QStringList withoutQtOptions(QStringList arguments)
    {
        static const QStringList withValue {QStringLiteral("platform"), QStringLiteral("platformpluginpath"),
                                            QStringLiteral("platformtheme"), QStringLiteral("plugin"),
                                            QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
                                            QStringLiteral("qwindowicon"), QStringLiteral("style"),
                                            QStringLiteral("stylesheet"), QStringLiteral("session"),
                                            QStringLiteral("display"), QStringLiteral("geometry")};
        static const QStringList alone {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                        QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};
        QStringList kept;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            QString name = arguments[i];
            if (i > 0 && name.startsWith(QLatin1Char('-'))) {
                name.remove(0, name.startsWith(QLatin1String("--")) ? 2 : 1);
                if (withValue.contains(name)) {
                    ++i;
                    continue;
                }
                if (alone.contains(name))
                    continue;
            }
            kept << arguments[i];
        }
        return kept;
    }

    // The whole command line is read before any window: help, version and a
    // wrong argument need no display, and a wrong one opens nothing.
    std::optional<int> readCommandLine(int argc, char *argv[], StartOptions *options)
    {
        // Read as Qt reads it, such a name would be another, new directory.
        if (const QString undecodable = undecodableDataDirText(argc, argv); !undecodable.isEmpty())
            return usageError(undecodable);
        QCoreApplication text(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Quorvale"));
        QCoreApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
        installQtTranslations();
        QCommandLineParser parser;
        describe(parser);
        if (!parser.parse(withoutQtOptions(QCoreApplication::arguments())))
            return usageError(StartOptions::parseErrorText(parser));
        StartOptions::answerHelpOrVersion(parser);
        if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty())
            return usageError(QStringLiteral("Argumento de más: %1").arg(extra.join(QLatin1Char(' '))));
        QString error;
        if (!options->readFrom(parser, &error))
            return usageError(error);
        return std::nullopt;
    }
}

int main(int argc, char *argv[])
{
    StartOptions options;
    if (const std::optional<int> code = readCommandLine(argc, argv, &options))
        return *code;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    QApplication::setWindowIcon(QIcon(ProductPicture::render(QSize(128, 128))));
    QApplication::setDesktopFileName(QStringLiteral("quorvale"));
    installQtTranslations(QtSpanish::TextsAndLocale);

    const QString dataDir = resolveDataDir(options.dataDir, QApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quorvale"),
                              unusableDataDirText(options.dataDir.isEmpty() ? userDataDir() : options.dataDir));
        return 1;
    }

    // A second window on the same files would lose the other's records.
    // A directory nobody here can write needs no lock: this window changes
    // nothing there.
    DataDirLock lock(dataDir);
    const bool readOnly = !readOnlyReason(dataDir).isEmpty();
    switch (readOnly ? DataDirLock::Result::Acquired : lock.acquire(0)) {
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
        window->setDataLock(&lock);
        prompter.setParent(window.get());
        window->show();
        splash.close();
    });
    splash.show();
    return QApplication::exec();
}
