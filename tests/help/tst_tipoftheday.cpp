#include <ZezuzuDOD/tipoftheday.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

#include <memory>

namespace {

QString qs(const char *text)
{
    return QString::fromUtf8(text);
}

QString shownText(const TipOfTheDay &dialog)
{
    return dialog.findChild<QTextBrowser *>(QStringLiteral("textBrowser"))->toPlainText();
}

QLabel *picture(const TipOfTheDay &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("imgLabel"));
}

void click(const TipOfTheDay &dialog, const char *button)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

class TestTipOfTheDay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void tipTexts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("text up to the first ;")
            << QByteArray("Use F1 for help;help.png\nA;B;c.gif\n")
            << QStringList({qs("Use F1 for help"), qs("A")});
        QTest::newRow("leading blanks kept")
            << QByteArray("   indented;short.png\n") << QStringList({qs("   indented")});
        QTest::newRow("blank lines skipped")
            << QByteArray("first\n  \t \n\nsecond") << QStringList({qs("first"), qs("second")});
        QTest::newRow("CRLF line ends dropped")
            << QByteArray("one;short.png\r\ntwo\r\n") << QStringList({qs("one"), qs("two")});
        QTest::newRow("zero byte ends the line")
            << QByteArray("before\0after;short.png\nnext\n", 28)
            << QStringList({qs("before"), qs("next")});
        QTest::newRow("UTF-8") << QByteArray("Größe ändern;short.png\n")
                               << QStringList({qs("Größe ändern")});
        QTest::newRow("rich text")
            << QByteArray("<b>Bold</b> tip;short.png\n") << QStringList({qs("Bold tip")});
    }

    void tipTexts()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, texts);
        // The tip after the last one is the first.
        TipOfTheDay dialog(writeTips(content), true, static_cast<unsigned char>(texts.size() - 1));
        QStringList shown;
        for (int i = 0; i < texts.size(); ++i) {
            shown.append(shownText(dialog));
            click(dialog, "btnNext");
        }
        QCOMPARE(shown, texts);
        QCOMPARE(shownText(dialog), texts.constFirst());
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("animated");
        QTest::addColumn<int>("height");
        QTest::newRow("still taller than 440: scaled to 440")
            << qs("tall.png") << true << false << 440;
        QTest::newRow("still shorter: unscaled") << qs("short.png") << true << false << 200;
        QTest::newRow("gif: animated") << qs("anim.gif") << true << true << 150;
        QTest::newRow("upper-case GIF: still") << qs("STILL.GIF") << true << false << 100;
        QTest::newRow("no such picture: hidden") << qs("missing.png") << false << false << 0;
        QTest::newRow("no picture: hidden") << QString() << false << false << 0;
    }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        QFETCH(bool, animated);
        QFETCH(int, height);
        auto *dialog = new TipOfTheDay(writeTips("Text;" + name.toUtf8() + '\n'), true, 0);
        QLabel *label = picture(*dialog);
        QCOMPARE(label->isVisibleTo(dialog), shown);
        QCOMPARE(shownText(*dialog), qs("Text"));
        if (shown)
            QCOMPARE(label->height(), height);
        QPointer<QMovie> movie = label->movie();
        QCOMPARE(bool(movie), animated);
        if (animated) {
            QCOMPARE(movie->state(), QMovie::Running);
        } else if (shown) {
            QCOMPARE(label->pixmap(Qt::ReturnByValue).height(), height);
        }
        delete dialog;
        QVERIFY(!movie);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("lastTip");
        QTest::addColumn<QStringList>("expected");
        // Shown after construction, then after Next, Previous, Previous.
        QTest::newRow("starts after the last tip shown")
            << 0 << QStringList({qs("tip 1"), qs("tip 2"), qs("tip 1"), qs("tip 0")});
        QTest::newRow("wraps at both ends")
            << 1 << QStringList({qs("tip 2"), qs("tip 0"), qs("tip 2"), qs("tip 1")});
        QTest::newRow("last tip beyond the list: first tip")
            << 200 << QStringList({qs("tip 0"), qs("tip 1"), qs("tip 0"), qs("tip 2")});
    }

    void navigation()
    {
        QFETCH(int, lastTip);
        QFETCH(QStringList, expected);
        TipOfTheDay dialog(writeTips("tip 0;short.png\ntip 1;anim.gif\ntip 2;tall.png\n"), true,
                           static_cast<unsigned char>(lastTip));
        QStringList shown({shownText(dialog)});
        for (const char *button : {"btnNext", "btnPrev", "btnPrev"}) {
            click(dialog, button);
            shown.append(shownText(dialog));
        }
        QCOMPARE(shown, expected);
    }

    void onlyFirst256TipsAreAddressed()
    {
        QByteArray content;
        for (int i = 0; i < 300; ++i)
            content += "tip " + QByteArray::number(i) + '\n';
        TipOfTheDay dialog(writeTips(content), true, 254);
        QCOMPARE(shownText(dialog), qs("tip 255"));
        click(dialog, "btnNext");
        QCOMPARE(shownText(dialog), qs("tip 0"));
        click(dialog, "btnPrev");
        QCOMPARE(shownText(dialog), qs("tip 255"));
    }

    void movieStopsWithItsTip()
    {
        TipOfTheDay dialog(writeTips("moving;anim.gif\nstill;short.png\n"), true, 1);
        QPointer<QMovie> movie = picture(dialog)->movie();
        QVERIFY(movie);
        click(dialog, "btnNext");
        QVERIFY(!movie);
        QVERIFY(!picture(dialog)->movie());
    }

    void withoutTips_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing tip file") << false;
        QTest::newRow("empty tip file") << true;
    }

    void withoutTips()
    {
        QFETCH(bool, exists);
        const QString path = exists ? writeTips("") : m_dir.filePath(qs("missing.txt"));
        for (const char *button : {"btnNext", "btnPrev"}) {
            TipOfTheDay dialog(path, true, 3);
            QCOMPARE(dialog.parseTipFile(), exists);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(shownText(dialog), qs("Ladida"));
            QCOMPARE(picture(dialog)->text(), qs("placeholdertext"));
            click(dialog, button);
            QVERIFY(!dialog.isVisible());
        }
    }

    void closing_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<bool>("reported");
        QTest::newRow("Close button reports") << 0 << true;
        QTest::newRow("title bar does not") << 1 << false;
        QTest::newRow("Escape does not") << 2 << false;
    }

    void closing()
    {
        QFETCH(int, way);
        QFETCH(bool, reported);
        TipOfTheDay dialog(writeTips("tip 0\ntip 1\ntip 2\n"), true, 0);
        QSignalSpy spy(&dialog, &TipOfTheDay::newTipValues);
        QVERIFY(spy.isValid());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.findChild<QCheckBox *>(), Qt::LeftButton);
        click(dialog, "btnNext");
        if (way == 0)
            click(dialog, "btnClose");
        else if (way == 1)
            dialog.close();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(spy.count(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(spy.constFirst(),
                     QVariantList({QVariant::fromValue<unsigned char>(2), false}));
    }

    void languageChangeKeepsTip()
    {
        TipOfTheDay dialog(writeTips("first;anim.gif\nsecond;tall.png\n"), true, 0);
        QCOMPARE(shownText(dialog), qs("second"));
        auto translator = std::make_unique<QTranslator>();
        QVERIFY(translator->load(qs(TEST_TRANSLATION)));
        // QCoreApplication announces the change only to a running event loop; a widget hears of
        // it by this event.
        QEvent languageChange(QEvent::LanguageChange);
        QCoreApplication::installTranslator(translator.get());
        QCoreApplication::sendEvent(&dialog, &languageChange);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 qs("Schon gewusst ...?"));
        QCOMPARE(shownText(dialog), qs("second"));
        QCOMPARE(picture(dialog)->pixmap(Qt::ReturnByValue).height(), 440);
        QCoreApplication::removeTranslator(translator.get());
        QCoreApplication::sendEvent(&dialog, &languageChange);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 qs("Did you know ...?"));
    }

    void helpButtonPicture()
    {
        TipOfTheDay dialog(m_dir.filePath(qs("missing.txt")), false, 0);
        const QIcon icon = dialog.findChild<QPushButton *>(QStringLiteral("pushButton_4"))->icon();
        QCOMPARE(icon.pixmap(QSize(48, 48)).size(), QSize(48, 48));
        QCOMPARE(QPixmap(qs(":/data/icons/questionmark@2x.png")).size(), QSize(96, 96));
    }

private:
    QString writeTips(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("tips%1.txt").arg(++m_files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return QString();
        return path;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_MAIN(TestTipOfTheDay)
#include "tst_tipoftheday.moc"
