#pragma once

#include "zezuzudod_export.h"

#include <QDialog>

namespace Ui {
class AboutDialog;
}

/** The tools' common "About" window: a heading that the tool fills with its name and version,
 *  the maker's contact data and the notice about the Qt framework.
 *
 *  Its Close button hides the dialog and deletes it (later, from the event loop), so create a
 *  new one for every showing and hold it in a QPointer. Closing it by the title bar only hides
 *  it. */
class ZEZUZUDOD_EXPORT AboutDialog : public QDialog
{
    Q_OBJECT
public:
    /** Creates the hidden dialog with its form; \a parent owns it. */
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

    /** Sets the heading; rich text is shown as such. */
    void setAboutText(const QString &text);

private slots:
    void on_pushButton_clicked();

private:
    Ui::AboutDialog *ui;
};
