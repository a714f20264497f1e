#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtTranslations(QtSpanish what)
{
    // Every text the program shows is Spanish, whatever the desktop's
    // language; what Qt formats on its own follows them.
    if (what == QtSpanish::TextsAndLocale)
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    auto *app = QCoreApplication::instance();
    if (!app)
        return false;
    auto *translator = new QTranslator(app);
    if (!translator->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
