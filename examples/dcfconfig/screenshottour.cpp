#include "screenshottour.h"

#include "dcfconfigwindow.h"
#include "helpmenu.h"
#include "objecttable.h"

#include <ZezuzuDOD/aboutdialog.h>
#include <ZezuzuDOD/fileviewerdialog.h>
#include <ZezuzuDOD/helpviewer.h>
#include <ZezuzuDOD/tipoftheday.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QHelpContentWidget>
#include <QPixmap>
#include <QThread>

#include <functional>

namespace {

// Lets the event loop run until \a done (the help engine fills its contents in a thread of its
// own) or the time is up.
bool waitFor(const std::function<bool()> &done, int msec = 10000)
{
    const QDeadlineTimer deadline(msec);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return true;
}

void settle()
{
    waitFor([] { return false; }, 300);
}

} // namespace

ScreenshotTour::ScreenshotTour(DcfConfigWindow *window, const QString &deviceFile,
                               const QString &folder)
    : m_window(window)
    , m_deviceFile(deviceFile)
    , m_folder(folder)
{}

QStringList ScreenshotTour::fileNames()
{
    return {QStringLiteral("dcfconfig-start.png"),  QStringLiteral("dcfconfig-main.png"),
            QStringLiteral("dcfconfig-viewer.png"), QStringLiteral("dcfconfig-manual.png"),
            QStringLiteral("dcfconfig-tip.png"),    QStringLiteral("dcfconfig-about.png")};
}

bool ScreenshotTour::save(QWidget *widget, const QString &fileName, QString *error)
{
    settle();
    if (widget && widget->grab().save(m_folder + QLatin1Char('/') + fileName))
        return true;
    *error = tr("%1 could not be made.").arg(fileName);
    return false;
}

bool ScreenshotTour::run(QString *error)
{
    if (!QDir().mkpath(m_folder)) {
        *error = tr("%1 cannot be created.").arg(m_folder);
        return false;
    }
    const QStringList names = fileNames();
    m_window->resize(960, 720);
    m_window->show();
    if (!save(m_window, names.at(0), error))
        return false;

    auto *table = m_window->findChild<ObjectTable *>();
    m_window->setCommissioning({5, 250, 1, QStringLiteral("Line 1"), QStringLiteral("io-left")});
    if (!m_window->openFile(m_deviceFile) || !table
        || !table->setValue(0x1017, 0, QStringLiteral("1000")) || !m_window->writeDcf()) {
        *error = tr("The DCF could not be written.");
        return false;
    }

    FileViewerDialog *viewer = m_window->viewWrittenDcf();
    if (!save(viewer, names.at(2), error))
        return false;
    viewer->close();

    // A search for all entries of one type, and a value too large for its UNSIGNED16 being
    // edited, as the window reports it.
    m_window->findAll(QStringLiteral("UNSIGNED8"));
    table->setValue(0x1017, 0, QStringLiteral("70000"));
    table->editItem(table->valueItem(0x1017, 0));
    if (!save(m_window, names.at(1), error))
        return false;

    HelpViewer *manual = m_window->helpMenu()->showManual();
    auto *contents = manual ? manual->findChild<QHelpContentWidget *>() : nullptr;
    if (!contents || !waitFor([contents] { return contents->model()->rowCount() > 0; })) {
        *error = tr("The manual could not be opened.");
        return false;
    }
    contents->expandAll();
    if (!save(manual, names.at(3), error))
        return false;
    manual->close();

    TipOfTheDay *tip = m_window->helpMenu()->showTipOfTheDay();
    if (!save(tip, names.at(4), error))
        return false;
    tip->close();

    AboutDialog *about = m_window->helpMenu()->showAbout();
    if (!save(about, names.at(5), error))
        return false;
    about->close();
    return true;
}
