#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class DcfConfigWindow;
class QWidget;

/** Shows the tool's windows one after the other and saves a picture of each as PNG, for the
 *  documentation: the empty main window, the main window with a device file, the written DCF in
 *  the file viewer, the manual, the tip of the day and the about dialog. */
class ScreenshotTour
{
    Q_DECLARE_TR_FUNCTIONS(ScreenshotTour)
public:
    /** A tour of \a window, which opens \a deviceFile and writes the DCF it was given. */
    ScreenshotTour(DcfConfigWindow *window, const QString &deviceFile, const QString &folder);

    /** The file names the tour saves, in its order. */
    static QStringList fileNames();

    /** Takes every picture. False, with \a error naming the first one that failed, when a window
     *  could not be opened or a picture not saved. */
    bool run(QString *error);

private:
    bool save(QWidget *widget, const QString &fileName, QString *error);

    DcfConfigWindow *m_window;
    QString m_deviceFile;
    QString m_folder;
};
