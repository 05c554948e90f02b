#include "manualhandler.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMenu>
#include <QUrl>

namespace {

// Titles of the family's manuals by file base name. Tools whose manuals are not listed still
// get an entry, titled with the base name.
const QHash<QString, QString> &manualTitles()
{
    static const QHash<QString, QString> titles = [] {
        const QString german = QStringLiteral("Handbuch (de)");
        const QString english = QStringLiteral("Manual (en)");
        QHash<QString, QString> table;
        for (const char *product :
             {"90001", "90002", "90003", "90004", "90005", "90006", "kx_90007"}) {
            const QString base = QLatin1String("manual_") + QLatin1String(product);
            table.insert(base + QLatin1String("_de"), german);
            table.insert(base + QLatin1String("_en"), english);
        }
        table.insert(QStringLiteral("erweiterung_90008_de"),
                     QStringLiteral("Erweiterungshandbuch - Script (de)"));
        table.insert(QStringLiteral("vendor_erweiterung_90008_de"),
                     QStringLiteral("Erweiterungshandbuch - Vendor (de)"));
        table.insert(QStringLiteral("vendor_erweiterung_90008_en"),
                     QStringLiteral("Extension Manual - Vendor (en)"));
        table.insert(QStringLiteral("kx_script_api"), QStringLiteral("Script API (en)"));
        return table;
    }();
    return titles;
}

} // namespace

ManualHandler::ManualHandler(QObject *parent)
    : QObject(parent)
    , m_menu(new QMenu(QStringLiteral("Manuals")))
{}

ManualHandler::~ManualHandler()
{
    delete m_menu;
}

void ManualHandler::setManualsPath(const QString &manualsPath)
{
    m_manualsPath = manualsPath;
}

QMenu *ManualHandler::getManualsMenu()
{
    // The entries are children of the menu, so clear() deletes them.
    m_menu->clear();

    const QDir dir(m_manualsPath, QStringLiteral("*.pdf"), QDir::Name | QDir::IgnoreCase,
                   QDir::Files);
    const QFileInfoList manuals = dir.entryInfoList();
    for (const QFileInfo &manual : manuals) {
        const QString baseName = manual.baseName();
        auto *action = new QAction(manualTitles().value(baseName, baseName), m_menu);
        action->setData(manual.absoluteFilePath());
        connect(action, &QAction::triggered, this, &ManualHandler::actionTriggered);
        m_menu->addAction(action);
    }
    return m_menu->actions().isEmpty() ? nullptr : m_menu;
}

void ManualHandler::actionTriggered()
{
    if (const auto *action = qobject_cast<const QAction *>(sender()))
        QDesktopServices::openUrl(QUrl::fromLocalFile(action->data().toString()));
}
