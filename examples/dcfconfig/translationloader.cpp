#include "translationloader.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QList>
#include <QTranslator>

namespace {

QList<QTranslator *> &installed()
{
    static QList<QTranslator *> translators;
    return translators;
}

} // namespace

QLocale TranslationLoader::install(const QString &language)
{
    removeAll();
    const QLocale locale = language.isEmpty() ? QLocale::system() : QLocale(language);
    // Resource files marked with a language (the tips) follow the default locale.
    QLocale::setDefault(locale);

    const struct
    {
        const char *name;
        QString folder;
    } catalogues[] = {
        {"dcfconfig", QStringLiteral(":/i18n")},
        {"zezuzudod", QStringLiteral(":/i18n")},
        {"qtbase", QLibraryInfo::location(QLibraryInfo::TranslationsPath)},
    };
    for (const auto &catalogue : catalogues) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(locale, QLatin1String(catalogue.name), QStringLiteral("_"),
                             catalogue.folder)) {
            QCoreApplication::installTranslator(translator);
            installed().append(translator);
        } else {
            delete translator;
        }
    }
    return locale;
}

void TranslationLoader::removeAll()
{
    for (QTranslator *translator : qAsConst(installed())) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed().clear();
}
