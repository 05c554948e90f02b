#pragma once

#include "zezuzudod_export.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

class QFile;
class QMovie;

namespace Ui {
class TipOfTheDay;
}

/** The start-up dialog with one tip about the tool, optionally illustrated by a picture.
 *
 *  The tip file is a UTF-8 text file with one tip per line: "text;picture". The text (plain or
 *  HTML) is the line up to the first ";", kept as written; the picture is the name after the
 *  last ";", looked up as ":/totd/totd/<name>" in the tool's resources. Names ending in "gif"
 *  play as animations; still pictures taller than 440 pixels are scaled down to that height.
 *  Blank lines are skipped; at most 256 tips are read.
 *
 *  The tool keeps the index of the last tip shown and the state of "Show Tips on Startup"
 *  between runs: it passes them in, and newTipValues() hands them back when the user presses
 *  Close. Closing the window otherwise (title bar, Escape) leaves the tool's values as they
 *  were. The dialog owns its tip file object and the movie of an animated picture. */
class ZEZUZUDOD_EXPORT TipOfTheDay : public QDialog
{
    Q_OBJECT
public:
    /** Reads \a tipFile and shows the tip after \a lastTip, or the first one when \a lastTip
     *  is the last tip or beyond. A file that cannot be read leaves the placeholder contents;
     *  an empty one closes the dialog at once. The caller shows the dialog. */
    TipOfTheDay(const QString &tipFile, bool showTips, unsigned char lastTip,
                QWidget *parent = nullptr);
    ~TipOfTheDay() override;

    /** Appends the tips of the file to the list. Returns false when the file cannot be opened. */
    bool parseTipFile();
    /** Shows the tip \a index, or closes the dialog when there is no such tip. */
    void showNewTip(unsigned char index);

signals:
    /** The index of the tip shown and whether tips are wanted at start-up, on Close. */
    void newTipValues(unsigned char lastTip, bool showTips);

protected:
    /** \reimp */
    void changeEvent(QEvent *event) override;

private slots:
    void on_btnClose_clicked();
    void on_btnNext_clicked();
    void on_btnPrev_clicked();

private:
    struct Tip
    {
        QString text;
        QString picture;
    };

    Ui::TipOfTheDay *ui;
    unsigned char m_currentTip;
    QPointer<QFile> m_tipFile;
    QList<Tip> m_tips;
    QPointer<QMovie> m_movie;
};
