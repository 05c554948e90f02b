#pragma once

#include "commissioningsettings.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class DcfConfigWindow;
}

/** The tool's main window: the EDS to read, the DCF to write and the commissioning values.
 *  Its inputs are restored from the group "DcfConfigWindow" of the default settings store when
 *  it is created and saved there when it closes. Writing is the tool's job: the window only
 *  asks for it through writeDcfRequested(). */
class DcfConfigWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit DcfConfigWindow(QWidget *parent = nullptr);
    ~DcfConfigWindow() override;

    QString edsFile() const;
    QString dcfFile() const;
    void setEdsFile(const QString &path);
    void setDcfFile(const QString &path);
    CommissioningSettings commissioning() const;
    void setCommissioning(const CommissioningSettings &values);
    /** Shows the outcome of a write in the status bar. */
    void showResult(const QString &text);

    /** Saves the inputs; closing the window does this too. */
    void saveInputs();
    /** Restores the saved inputs; false when none were saved. */
    bool restoreInputs();

signals:
    /** The user asked for the DCF; both paths are set. */
    void writeDcfRequested(const QString &edsFile, const QString &dcfFile,
                           const CommissioningSettings &values);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_btnWriteDcf_clicked();

private:
    std::unique_ptr<Ui::DcfConfigWindow> m_ui;
};
