#include "dcfconfigwindow.h"

#include "ui_dcfconfigwindow.h"

#include <ZezuzuDOD/guihelper.h>

#include <QCloseEvent>
#include <QStatusBar>

namespace {

QString settingsGroup()
{
    return QStringLiteral("DcfConfigWindow");
}

} // namespace

DcfConfigWindow::DcfConfigWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_ui(new Ui::DcfConfigWindow)
{
    m_ui->setupUi(this);
    // The items carry the rate as data, so the saved choice survives a change of their texts.
    const QVector<int> rates = CommissioningSettings::baudRates();
    for (int rate : rates)
        m_ui->cmbBaudRate->addItem(tr("%1 kbit/s").arg(rate), rate);
    setCommissioning(CommissioningSettings());
    restoreInputs();
}

DcfConfigWindow::~DcfConfigWindow() = default;

QString DcfConfigWindow::edsFile() const
{
    return m_ui->edtEdsFile->text();
}

QString DcfConfigWindow::dcfFile() const
{
    return m_ui->edtDcfFile->text();
}

void DcfConfigWindow::setEdsFile(const QString &path)
{
    m_ui->edtEdsFile->setText(path);
}

void DcfConfigWindow::setDcfFile(const QString &path)
{
    m_ui->edtDcfFile->setText(path);
}

CommissioningSettings DcfConfigWindow::commissioning() const
{
    CommissioningSettings values;
    values.nodeId = m_ui->spnNodeId->value();
    values.baudRate = m_ui->cmbBaudRate->currentData().toInt();
    values.netNumber = m_ui->spnNetNumber->value();
    values.networkName = m_ui->edtNetworkName->text();
    values.nodeName = m_ui->edtNodeName->text();
    return values;
}

void DcfConfigWindow::setCommissioning(const CommissioningSettings &values)
{
    m_ui->spnNodeId->setValue(values.nodeId);
    GuiHelper::setComboboxValue(m_ui->cmbBaudRate, values.baudRate);
    m_ui->spnNetNumber->setValue(values.netNumber);
    m_ui->edtNetworkName->setText(values.networkName);
    m_ui->edtNodeName->setText(values.nodeName);
}

void DcfConfigWindow::showResult(const QString &text)
{
    statusBar()->showMessage(text);
}

void DcfConfigWindow::saveInputs()
{
    GuiHelper::saveSettings(this, settingsGroup());
}

bool DcfConfigWindow::restoreInputs()
{
    const bool restored = GuiHelper::restoreSettings(this, settingsGroup());
    // A rate that is no longer offered leaves no item selected.
    if (m_ui->cmbBaudRate->currentIndex() < 0)
        GuiHelper::setComboboxValue(m_ui->cmbBaudRate, CommissioningSettings().baudRate);
    return restored;
}

void DcfConfigWindow::closeEvent(QCloseEvent *event)
{
    saveInputs();
    QMainWindow::closeEvent(event);
}

void DcfConfigWindow::on_btnWriteDcf_clicked()
{
    if (edsFile().isEmpty() || dcfFile().isEmpty()) {
        GuiHelper::showMessageBox(this, tr("Write DCF"), tr("Enter the EDS file and the DCF file."),
                                  QString(), QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    emit writeDcfRequested(edsFile(), dcfFile(), commissioning());
}
