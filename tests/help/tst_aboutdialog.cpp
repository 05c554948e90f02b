#include <ZezuzuDOD/aboutdialog.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void heading()
    {
        AboutDialog dialog;
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("label"));
        dialog.setAboutText(QStringLiteral("<b>DCF Config 1.2</b>"));
        QCOMPARE(label->text(), QStringLiteral("<b>DCF Config 1.2</b>"));
        dialog.setAboutText(QString());
        QVERIFY(label->text().isEmpty());
    }

    void closeButtonDeletesTitleBarHides()
    {
        QPointer<AboutDialog> dialog = new AboutDialog;
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog && !dialog->isVisible());

        dialog->show();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("pushButton")),
                          Qt::LeftButton);
        QVERIFY(dialog && !dialog->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!dialog);
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
