#include "tipoftheday.h"
#include "ui_tipoftheday.h"

#include <QFile>
#include <QMovie>
#include <QPixmap>
#include <QScrollBar>

namespace {

// The index of a tip travels as an unsigned char, so no more tips can be addressed.
constexpr int MaxTips = 256;
// Still pictures taller than this are scaled down to it.
constexpr int PictureHeight = 440;

} // namespace

TipOfTheDay::TipOfTheDay(const QString &tipFile, bool showTips, unsigned char lastTip,
                         QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::TipOfTheDay)
    , m_currentTip(lastTip)
    , m_tipFile(new QFile(tipFile))
{
    ui->setupUi(this);
    ui->checkBox->setChecked(showTips);
    if (parseTipFile())
        on_btnNext_clicked();
    ui->textBrowser->document()->setDocumentMargin(10);
}

TipOfTheDay::~TipOfTheDay()
{
    delete m_tipFile;
    delete ui;
}

bool TipOfTheDay::parseTipFile()
{
    if (!m_tipFile->open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!m_tipFile->atEnd() && m_tips.size() < MaxTips) {
        const QByteArray bytes = m_tipFile->readLine();
        if (bytes.isEmpty()) // a read error; a line holds at least its line end
            break;
        // A line is text up to its first zero byte.
        QString line = QString::fromUtf8(bytes.constData());
        if (line.trimmed().isEmpty())
            continue;
        if (line.endsWith(QLatin1Char('\n')))
            line.chop(1);
        const QStringList fields = line.split(QLatin1Char(';'));
        m_tips.append({fields.constFirst(), fields.constLast().simplified()});
    }
    m_tipFile->close();
    return true;
}

void TipOfTheDay::showNewTip(unsigned char index)
{
    if (index >= m_tips.size()) {
        close();
        return;
    }
    m_currentTip = index;
    const Tip &tip = m_tips.at(index);

    ui->textBrowser->clear();
    ui->imgLabel->clear();
    delete m_movie; // the previous tip's animation would go on running unseen
    ui->textBrowser->append(tip.text);
    ui->textBrowser->adjustSize();

    const QString path = QLatin1String(":/totd/totd/") + tip.picture;
    if (tip.picture.isEmpty() || !QFile::exists(path)) {
        ui->imgLabel->hide();
    } else if (tip.picture.endsWith(QLatin1String("gif"))) {
        ui->imgLabel->show();
        const QPixmap firstFrame(path);
        m_movie = new QMovie(path, QByteArray(), this);
        ui->imgLabel->setMovie(m_movie);
        ui->imgLabel->resize(ui->imgLabel->width(), firstFrame.height());
        m_movie->start();
    } else {
        ui->imgLabel->show();
        const QPixmap picture(path);
        ui->imgLabel->resize(ui->imgLabel->width(), PictureHeight);
        if (picture.height() > PictureHeight) {
            ui->imgLabel->setPixmap(
                picture.scaledToHeight(PictureHeight, Qt::SmoothTransformation));
        } else {
            ui->imgLabel->setPixmap(picture);
            ui->imgLabel->resize(ui->imgLabel->width(), picture.height());
        }
    }

    QScrollBar *scrollBar = ui->textBrowser->verticalScrollBar();
    scrollBar->setValue(scrollBar->minimum());
}

void TipOfTheDay::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    ui->retranslateUi(this);
    ui->textBrowser->document()->setDocumentMargin(10);
    // The form's placeholders have replaced the tip; put it back.
    if (m_currentTip < m_tips.size())
        showNewTip(m_currentTip);
}

void TipOfTheDay::on_btnClose_clicked()
{
    emit newTipValues(m_currentTip, ui->checkBox->isChecked());
    close();
}

void TipOfTheDay::on_btnNext_clicked()
{
    const int next = m_currentTip + 1;
    showNewTip(next < m_tips.size() ? static_cast<unsigned char>(next) : 0);
}

void TipOfTheDay::on_btnPrev_clicked()
{
    // Without tips this asks for tip 255, which closes the dialog as any missing tip does.
    const int previous = m_currentTip == 0 ? m_tips.size() - 1 : m_currentTip - 1;
    showNewTip(static_cast<unsigned char>(previous));
}
