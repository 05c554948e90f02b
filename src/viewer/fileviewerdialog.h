#pragma once

#include "zezuzudod_export.h"

#include <QDialog>
#include <QPointer>
#include <QString>

class QFileSystemWatcher;

namespace Ui {
class FileViewerDialog;
}

/** A read-only viewer for one text file that follows the file on disk.
 *
 *  The constructor loads the file, colours it by its complete suffix ("c" and "h" as C, "eds"
 *  and "dcf" as device description, "dbc" as CAN database, "txt" as PLC declarations, "xml";
 *  compared with case) and starts watching it; it does not show the dialog. Each change of the
 *  file reloads it 700 ms later, also after a save that replaces the file and after the file
 *  was deleted and created again; a reload keeps the first visible line. "Ctrl++" and "Ctrl+-"
 *  change the font size (+2 and -1 points), "/" opens the search line, "n" and "b" find the
 *  search text again forwards and backwards without wrapping around. The search line's
 *  "Open Folder" button opens the file's folder in the system's file manager.
 *
 *  The text is always shown as plain text. A file that cannot be read shows "Error <path> is not
 *  readable."; a file larger than 64 MiB is not loaded and shows its size instead. A reload that
 *  cannot open the file keeps the text shown; a reloaded text ends at its first zero byte.
 *
 *  The caller owns the dialog; the watcher, the shortcuts and the highlighter die with it. */
class ZEZUZUDOD_EXPORT FileViewerDialog : public QDialog
{
    Q_OBJECT
public:
    /** Loads and colours \a filePath and starts watching it; \a parent owns the dialog. */
    explicit FileViewerDialog(const QString &filePath, QWidget *parent = nullptr);
    ~FileViewerDialog() override;

    /** Sets the point size of the text edit's character format and reloads the file with it. */
    void setTextSize(double pointSize);

public slots:
    /** Schedules a reload 700 ms from now; each call gives one reload. */
    void fileModified(const QString &filePath);
    /** Reloads the file now. */
    void timerElapsed();

private slots:
    void on_actionIncreaseFontSize_triggered();
    void on_actionDescreaseFontSize_triggered();
    void on_actionOpenSearchDialog_triggered();
    void on_edtSearchLine_textChanged(const QString &arg1);
    void on_edtSearchLine_returnPressed();
    void findNext();
    void findBackwards();
    void on_pushButton_clicked();

private:
    void loadFile();
    QString tooLargeText(qint64 size) const;
    void attachHighlighter();
    void createShortcuts();
    void watchFile();
    void fileReappeared();
    void showReloadedText(const QString &text);
    void restoreScrollPosition();
    void changeFontSize(int step);

    Ui::FileViewerDialog *ui;
    QPointer<QFileSystemWatcher> m_watcher;
    QString m_filePath;
    QString m_searchText;
    // The first visible line to return to after a reload, -1 once it is reached or the user
    // has moved on, and how far into that line the view was scrolled.
    int m_scrollLine = -1;
    int m_scrollOffset = 0;
};
