#include "core/clock.h"
#include "core/datadir.h"
#include "core/session.h"
#include "core/startoptions.h"
#include "ui/mainwindow.h"
#include "ui/messageboxprompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorvale - Para El Gordo de la Primitiva."));
    parser.addHelpOption();
    parser.addVersionOption();
    StartOptions::addTo(parser);
    parser.process(app);

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

    std::unique_ptr<Clock> clock;
    if (options.today.isValid())
        clock = std::make_unique<FixedClock>(options.today);
    else
        clock = std::make_unique<SystemClock>();

    MessageBoxPrompter prompter;
    Session session(*clock, prompter, options.endpoints);
    session.start(dataDir);

    MainWindow window(session);
    prompter.setParent(&window);
    window.show();
    return QApplication::exec();
}
