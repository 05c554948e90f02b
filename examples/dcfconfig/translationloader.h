#pragma once

#include <QLocale>
#include <QString>

/** Installs the translations of the tool, of the library and of Qt itself for one language.
 *  The tool's catalogue is compiled into its resources, the library's into the library's; Qt's
 *  own is taken from Qt's translations folder when it is installed. */
class TranslationLoader
{
public:
    /** Installs the catalogues for \a language ("de", "en", ...; empty: the system's language),
     *  replacing those installed before, makes its locale the default one and returns it.
     *  A language without catalogues leaves the texts in English. */
    static QLocale install(const QString &language);
    /** Removes the installed catalogues: the texts are English again. */
    static void removeAll();
};
