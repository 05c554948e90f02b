#include "dcfconfigwindow.h"

#include "ui_dcfconfigwindow.h"

#include "dcfcommissioning.h"
#include "devicedescription.h"
#include "helpmenu.h"
#include "recentfiles.h"

#include <ZezuzuDOD/fileviewerdialog.h>
#include <ZezuzuDOD/genericviewsearch.h>
#include <ZezuzuDOD/guihelper.h>
#include <ZezuzuDOD/hexdecbitlimitdelegate.h>

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusBar>
#include <QTextStream>
#include <QUrl>

namespace {

const QString settingsGroup = QStringLiteral("DcfConfigWindow");

bool isDeviceFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("eds") || suffix == QLatin1String("dcf");
}

} // namespace

DcfConfigWindow::DcfConfigWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_ui(new Ui::DcfConfigWindow)
{
    m_ui->setupUi(this);
    // CustomLineEdit compares suffixes with their letter case, and files come in both.
    for (const char *suffix : {"eds", "EDS", "dcf", "DCF"})
        m_ui->edtEdsFile->addAcceptedSuffix(QLatin1String(suffix));
    m_ui->edtDcfFile->addAcceptedSuffix(QStringLiteral("dcf"));
    m_ui->edtDcfFile->addAcceptedSuffix(QStringLiteral("DCF"));
    m_ui->edtDcfFile->setInvokeReturnPressed(false);
    // Recent files keep the paths; a restored path without its table would only confuse.
    m_ui->edtEdsFile->setProperty("ExcludeSaving", true);
    m_ui->edtDcfFile->setProperty("ExcludeSaving", true);

    // The items carry the rate as data, so the saved choice survives a change of their texts.
    const QVector<int> rates = CommissioningSettings::baudRates();
    for (int rate : rates)
        m_ui->cmbBaudRate->addItem(tr("%1 kbit/s").arg(rate), rate);

    m_recentFiles = new RecentFiles(m_ui->menuRecent, this);
    connect(m_recentFiles, &RecentFiles::fileChosen, this, &DcfConfigWindow::openFile);
    m_helpMenu = new HelpMenu(m_ui->menuHelp, this);
    setUpSearch();
    connect(m_ui->tblObjects->valueDelegate(), &HexDecBitLimitDelegate::sigValidityChanged, this,
            [this](QTableWidgetItem *, bool valid) { showValidity(valid); });

    setCommissioning(CommissioningSettings());
    restoreInputs();
    statusBar()->showMessage(tr("Open a device file to begin."));
}

DcfConfigWindow::~DcfConfigWindow()
{
    // The table outlives this part of the window: an editor still open commits its value while
    // the widgets are torn down, and its validity report must not reach a window half gone.
    disconnect(m_ui->tblObjects->valueDelegate(), nullptr, this, nullptr);
}

// The search's own context menu actions serve the Edit menu too: two actions with the same
// shortcut would make both of them ambiguous.
void DcfConfigWindow::setUpSearch()
{
    m_search = new GenericViewSearch(m_ui->tblObjects, m_ui->edtSearch, m_ui->btnFind, this);
    connect(m_ui->btnFind, &QPushButton::clicked, m_search, &GenericViewSearch::onSearchNext);
    QAction *next = m_search->getMenuAction(GenericViewSearch::SearchNext);
    QAction *all = m_search->getMenuAction(GenericViewSearch::SearchAll);
    next->setText(tr("Find &Next"));
    all->setText(tr("Find &All"));
    m_ui->tblObjects->addAction(next);
    m_ui->tblObjects->addAction(all);
    m_ui->menuEdit->addAction(next);
    m_ui->menuEdit->addAction(all);
}

void DcfConfigWindow::findAll(const QString &text)
{
    m_ui->edtSearch->setText(text);
    m_search->onSearchAll();
}

bool DcfConfigWindow::openFile(const QString &path)
{
    DeviceDescription device;
    QString error;
    if (!device.read(path, &error)) {
        if (!QFileInfo::exists(path))
            m_recentFiles->remove(path);
        statusBar()->showMessage(error);
        GuiHelper::showMessageBox(this, tr("Open Device File"), error, QString(), QMessageBox::Ok,
                                  QMessageBox::Warning);
        return false;
    }
    const QFileInfo file(path);
    m_ui->edtEdsFile->setText(QDir::toNativeSeparators(file.absoluteFilePath()));
    if (dcfFile().isEmpty())
        setDcfFile(file.absolutePath() + QLatin1Char('/') + file.completeBaseName()
                   + QLatin1String(".dcf"));
    m_ui->tblObjects->setEntries(device.entries());
    m_ui->tblBitRates->setSupportedRates(device.supportedBaudRates());
    m_search->resetSearch();
    m_recentFiles->add(file.absoluteFilePath());

    const QString product = device.productName();
    const QString tool = QCoreApplication::applicationName();
    setWindowTitle(product.isEmpty() ? tool : tr("%1 - %2").arg(product, tool));
    statusBar()->showMessage(
        tr("Opened %1: %n entries.", nullptr, device.entries().size()).arg(file.fileName()));
    on_cmbBaudRate_currentIndexChanged(m_ui->cmbBaudRate->currentIndex());
    return true;
}

QString DcfConfigWindow::edsFile() const
{
    return m_ui->edtEdsFile->text().trimmed();
}

QString DcfConfigWindow::dcfFile() const
{
    return m_ui->edtDcfFile->text().trimmed();
}

void DcfConfigWindow::setDcfFile(const QString &path)
{
    m_ui->edtDcfFile->setText(QDir::toNativeSeparators(path));
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

bool DcfConfigWindow::refuse(const QString &text)
{
    statusBar()->showMessage(tr("The DCF was not written."));
    GuiHelper::showMessageBox(this, tr("Write DCF"), text, QString(), QMessageBox::Ok,
                              QMessageBox::Warning);
    return false;
}

bool DcfConfigWindow::writeDcf()
{
    if (edsFile().isEmpty() || dcfFile().isEmpty())
        return refuse(tr("Choose the device file and the DCF file first."));
    if (!m_ui->tblObjects->valuesValid()) {
        return refuse(tr("Some values are too large for their data type; they are shown in "
                         "bold red. Correct them before writing the DCF."));
    }

    // The window is one more caller of the command-line job.
    QStringList arguments = QStringList{QCoreApplication::applicationFilePath(), edsFile(),
                                        QStringLiteral("-o"), dcfFile()}
                            + commissioning().arguments();
    const QStringList values = m_ui->tblObjects->configuredValues();
    for (const QString &value : values)
        arguments << QStringLiteral("--set") << value;
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    if (DcfCommissioning().exec(arguments, out, err) != 0)
        return refuse(errors.trimmed());

    CommissioningSettings::rememberValues(arguments);
    setWrittenDcf(QDir::fromNativeSeparators(dcfFile()));
    statusBar()->showMessage(output.trimmed());
    return true;
}

void DcfConfigWindow::setWrittenDcf(const QString &path)
{
    m_writtenDcf = QFileInfo(path).absoluteFilePath();
    m_ui->edtWritten->setText(QDir::toNativeSeparators(m_writtenDcf));
    m_ui->edtWritten->setLinkText(tr("Open the folder"), QFileInfo(m_writtenDcf).absolutePath());
    m_ui->btnViewDcf->setEnabled(true);
    m_ui->actionViewDcf->setEnabled(true);
    m_ui->actionOpenFolder->setEnabled(true);
}

FileViewerDialog *DcfConfigWindow::viewWrittenDcf()
{
    if (m_writtenDcf.isEmpty())
        return nullptr;
    auto *viewer = new FileViewerDialog(m_writtenDcf, this);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->resize(760, 560);
    viewer->show();
    return viewer;
}

void DcfConfigWindow::showValidity(bool valid)
{
    if (valid)
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(tr("This value is too large for its data type."));
}

void DcfConfigWindow::saveInputs()
{
    GuiHelper::saveSettings(this, settingsGroup);
    GuiHelper::saveSetting(settingsGroup, QStringLiteral("Geometry"), saveGeometry());
}

bool DcfConfigWindow::restoreInputs()
{
    const bool restored = GuiHelper::restoreSettings(this, settingsGroup);
    // A rate that is no longer offered leaves no item selected.
    if (m_ui->cmbBaudRate->currentIndex() < 0)
        GuiHelper::setComboboxValue(m_ui->cmbBaudRate, CommissioningSettings().baudRate);
    if (restored)
        restoreGeometry(
            GuiHelper::restoreSetting(settingsGroup, QStringLiteral("Geometry")).toByteArray());
    return restored;
}

void DcfConfigWindow::closeEvent(QCloseEvent *event)
{
    saveInputs();
    QMainWindow::closeEvent(event);
}

QString DcfConfigWindow::droppedDeviceFile(const QMimeData *mimeData)
{
    const QList<QUrl> urls = mimeData ? mimeData->urls() : QList<QUrl>();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return isDeviceFile(path) ? path : QString();
}

void DcfConfigWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedDeviceFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void DcfConfigWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedDeviceFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}

void DcfConfigWindow::on_actionOpen_triggered()
{
    const QString path
        = QFileDialog::getOpenFileName(this, tr("Open Device File"), QFileInfo(edsFile()).path(),
                                       tr("Device files (*.eds *.EDS *.dcf *.DCF);;All files (*)"));
    if (!path.isEmpty())
        openFile(path);
}

void DcfConfigWindow::on_actionWriteDcf_triggered()
{
    writeDcf();
}

void DcfConfigWindow::on_actionViewDcf_triggered()
{
    viewWrittenDcf();
}

void DcfConfigWindow::on_actionOpenFolder_triggered()
{
    on_edtWritten_clicked(m_ui->edtWritten->link());
}

void DcfConfigWindow::on_actionFind_triggered()
{
    m_ui->edtSearch->setFocus(Qt::ShortcutFocusReason);
    m_ui->edtSearch->selectAll();
}

// Typed and dropped names arrive here alike.
void DcfConfigWindow::on_edtEdsFile_returnPressed()
{
    if (!edsFile().isEmpty())
        openFile(edsFile());
}

void DcfConfigWindow::on_btnBrowseDcf_clicked()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Write DCF"), dcfFile(),
                                                      tr("Device configuration files (*.dcf)"));
    if (!path.isEmpty())
        setDcfFile(path);
}

void DcfConfigWindow::on_edtWritten_clicked(const QString &link)
{
    if (!link.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(link));
}

void DcfConfigWindow::on_cmbBaudRate_currentIndexChanged(int index)
{
    const int rate = m_ui->cmbBaudRate->itemData(index).toInt();
    if (index >= 0 && !m_ui->tblBitRates->supports(rate))
        statusBar()->showMessage(tr("The device does not support %1 kbit/s.").arg(rate));
}
