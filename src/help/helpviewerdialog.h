#pragma once

#include "zezuzudod_export.h"

#include <QDialog>
#include <QString>

namespace Ui {
class HelpViewerDialog;
}

/** A simple help window: one HTML or plain text help file in a text browser, shown scrolled to
 *  a topic (an anchor of the file), and a PDF manual handed to the system's default viewer.
 *
 *  The Close button only hides the window, so a tool creates it once and calls setTopic() on
 *  every help request. Local files are opened as file URLs, so names with blanks, "#", "?",
 *  "%" or letters beyond ASCII are safe. */
class ZEZUZUDOD_EXPORT HelpViewerDialog : public QDialog
{
    Q_OBJECT
public:
    /** Creates the hidden window without a help file. */
    explicit HelpViewerDialog(QWidget *parent = nullptr);
    ~HelpViewerDialog() override;

    /** Loads the help file \a fileName (a relative name is taken from the current directory).
     *  Returns false, changing nothing, when there is no such file or it is a folder. */
    bool setFile(const QString &fileName);
    /** Shows the window scrolled to the anchor \a topic of the help file set before; an anchor
     *  that does not exist leaves the scroll position. The topic "Manual" (exactly so) instead
     *  opens "doc/manual_90001_de.pdf" beside the executable with the system's viewer, without
     *  showing the window and whatever setManualFile() stored. */
    void setTopic(const QString &topic);
    /** Sets the window title. */
    void setTitle(const QString &title);
    /** Stores the path of the PDF manual that showManual() opens. */
    void setManualFile(const QString &manualFile);
    /** Opens the stored manual with the system's default application. Returns false when no
     *  manual was set or the system could not open it. */
    bool showManual();

private slots:
    void on_pushButton_clicked();

private:
    Ui::HelpViewerDialog *ui;
    QString m_manualFile;
};
