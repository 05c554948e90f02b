#pragma once

#include "commissioningsettings.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class FileViewerDialog;
class GenericViewSearch;
class HelpMenu;
class RecentFiles;
class QMimeData;

namespace Ui {
class DcfConfigWindow;
}

/** The tool's main window: a device file (EDS, or a DCF to start from) opened into the object
 *  table, the commissioning values, and the DCF to write. Writing runs the same DcfCommissioning
 *  job as the command line, with the commissioning values and every value of the table that
 *  differs from its default.
 *
 *  Its inputs are restored from the group "DcfConfigWindow" of the default settings store when
 *  it is created and saved there when it closes; the file fields are not, the recent files
 *  menu remembers the files. */
class DcfConfigWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit DcfConfigWindow(QWidget *parent = nullptr);
    ~DcfConfigWindow() override;

    /** Reads the device file into the window and suggests the DCF beside it unless a DCF is
     *  already chosen. Shows a message box and returns false when it cannot be read. */
    bool openFile(const QString &path);
    QString edsFile() const;
    QString dcfFile() const;
    void setDcfFile(const QString &path);
    CommissioningSettings commissioning() const;
    void setCommissioning(const CommissioningSettings &values);

    /** Writes the DCF as the Write button does. False, after saying why in a message box, when
     *  a file is missing, a value is out of range or the job failed. */
    bool writeDcf();
    /** The last DCF written in this session; empty before the first. */
    QString writtenDcf() const { return m_writtenDcf; }
    /** Shows the written DCF in a file viewer of its own, deleted when closed; null before the
     *  first write. */
    FileViewerDialog *viewWrittenDcf();

    /** Selects every entry that matches \a text, as Find All does. */
    void findAll(const QString &text);

    HelpMenu *helpMenu() const { return m_helpMenu; }

    /** Saves the inputs; closing the window does this too. */
    void saveInputs();
    /** Restores the saved inputs; false when none were saved. */
    bool restoreInputs();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void on_actionOpen_triggered();
    void on_actionWriteDcf_triggered();
    void on_actionViewDcf_triggered();
    void on_actionOpenFolder_triggered();
    void on_actionFind_triggered();
    void on_edtEdsFile_returnPressed();
    void on_btnBrowseDcf_clicked();
    void on_edtWritten_clicked(const QString &link);
    void on_cmbBaudRate_currentIndexChanged(int index);

private:
    static QString droppedDeviceFile(const QMimeData *mimeData);
    void setUpSearch();
    void showValidity(bool valid);
    void setWrittenDcf(const QString &path);
    bool refuse(const QString &text);

    std::unique_ptr<Ui::DcfConfigWindow> m_ui;
    GenericViewSearch *m_search = nullptr;
    RecentFiles *m_recentFiles = nullptr;
    HelpMenu *m_helpMenu = nullptr;
    QString m_writtenDcf;
};
