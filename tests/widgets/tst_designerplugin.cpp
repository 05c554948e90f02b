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

    void createsEachWidgetAndKeepsItsClass()
    {
        QPluginLoader loader(qs(DESIGNER_PLUGIN));
        auto *plugin = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
        QVERIFY2(plugin, qPrintable(loader.errorString()));
        QWidget parent;
        const QList<QDesignerCustomWidgetInterface *> widgets = plugin->customWidgets();
        QCOMPARE(widgets.size(), 3);
        for (QDesignerCustomWidgetInterface *widget : widgets)
            QVERIFY(widget->createWidget(&parent)->parentWidget() == &parent);
        QVERIFY(dynamic_cast<CustomLineEdit *>(parent.children().at(1))); // the real class

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
            <widget class="CustomLineEdit" name="edtEds"/></widget></ui>)")));
        // CustomLineEdit, without a meta-object of its own, must not come back as a QLineEdit.
        const QString saved = form->contents();
        QVERIFY2(saved.contains(qs(R"(<widget class="CustomLineEdit" name="edtEds">)"))
                     && saved.contains(qs("<header>customlineedit.h</header>")),
                 qPrintable(saved));
    }
};

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"

// Not covered: the include file offered for ClickableLineEdit and TextOverlay.
