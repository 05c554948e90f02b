#include <ZezuzuDOD/customlineedit.h>

#include "testutil.h"

#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

class TestDesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void createsEachWidget()
    {
        QPluginLoader loader(qs(DESIGNER_PLUGIN));
        auto *plugin = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
        QVERIFY2(plugin, qPrintable(loader.errorString()));
        QWidget parent;
        QStringList offered;
        for (QDesignerCustomWidgetInterface *widget : plugin->customWidgets()) {
            QVERIFY(widget->createWidget(&parent)->parentWidget() == &parent);
            offered << widget->name() + QLatin1Char(' ') + widget->includeFile();
        }
        QCOMPARE(offered, QStringList({qs("ClickableLineEdit clickablelineedit.h"),
                                       qs("CustomLineEdit customlineedit.h"),
                                       qs("TextOverlay textoverlay.h")}));
        QVERIFY(dynamic_cast<CustomLineEdit *>(parent.children().at(1))); // the real class
    }

    void formKeepsTheClasses()
    {
        // A form editor as Designer runs it, finding the plugin in the build tree.
        QCoreApplication::setLibraryPaths(
            {QFileInfo(qs(DESIGNER_PLUGIN)).absolutePath() + qs("/..")});
        QDesignerFormEditorInterface *core = QDesignerComponents::createFormEditor(this);
        QDesignerComponents::initializePlugins(core);
        QWidget host; // goes before the core, which the test object deletes
        core->setPropertyEditor(QDesignerComponents::createPropertyEditor(core, &host));
        new QDesignerIntegration(core, core);
        QDesignerFormWindowInterface *form = core->formWindowManager()->createFormWindow(&host);
        QVERIFY(form->setContents(qs(R"(<ui version="4.0"><widget class="QWidget" name="Form">
            <widget class="CustomLineEdit" name="edtEds"/>
            <widget class="ClickableLineEdit" name="edtFolder"/>
            <widget class="TextOverlay" name="overlay"/></widget></ui>)")));
        // CustomLineEdit, without a meta-object of its own, must not come back as a QLineEdit.
        const QString saved = form->contents();
        for (const char *expected : {R"(<widget class="CustomLineEdit" name="edtEds">)",
                                     "<header>customlineedit.h</header>",
                                     R"(<widget class="ClickableLineEdit" name="edtFolder">)",
                                     R"(<widget class="TextOverlay" name="overlay">)"})
            QVERIFY2(saved.contains(qs(expected)), expected);
    }
};

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
