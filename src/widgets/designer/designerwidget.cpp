#include "designerwidget.h"

#include <QIcon>
#include <QWidget>

// Designer's own promotion, as its "Promote to" command applies it; the SDK has no public call
// that marks a single widget, and the function is exported by the QtDesigner library.
namespace qdesigner_internal {
Q_DECL_IMPORT bool promoteWidget(QDesignerFormEditorInterface *core, QWidget *widget,
                                 const QString &customClassName);
} // namespace qdesigner_internal

DesignerWidget::DesignerWidget(const QString &name, const QString &baseClass,
                               const QString &includeFile, const QString &toolTip,
                               const Factory &factory)
    : m_name(name)
    , m_baseClass(baseClass)
    , m_includeFile(includeFile)
    , m_toolTip(toolTip)
    , m_factory(factory)
{}

QString DesignerWidget::name() const
{
    return m_name;
}

QString DesignerWidget::group() const
{
    return QStringLiteral("ZezuzuDOD");
}

QString DesignerWidget::toolTip() const
{
    return m_toolTip;
}

QString DesignerWidget::whatsThis() const
{
    return m_toolTip;
}

QString DesignerWidget::includeFile() const
{
    return m_includeFile;
}

QIcon DesignerWidget::icon() const
{
    return QIcon();
}

bool DesignerWidget::isContainer() const
{
    return false;
}

QWidget *DesignerWidget::createWidget(QWidget *parent)
{
    QWidget *widget = m_factory(parent);
    // Designer saves a widget under the class name of its meta-object. A class without one of
    // its own would be written to the form as its Qt base class, and the generated code would
    // create that instead; marked as promoted, it keeps its name and its header.
    if (m_core && QLatin1String(widget->metaObject()->className()) != m_name)
        qdesigner_internal::promoteWidget(m_core, widget, m_name);
    return widget;
}

bool DesignerWidget::isInitialized() const
{
    return m_initialized;
}

void DesignerWidget::initialize(QDesignerFormEditorInterface *core)
{
    m_core = core;
    m_initialized = true;
}

QString DesignerWidget::domXml() const
{
    // The custom widget entry tells Designer the base class, which it cannot find from the
    // meta-object of a class that has none of its own.
    QString objectName = m_name;
    objectName[0] = objectName.at(0).toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\"/>\n"
                          " <customwidgets>\n"
                          "  <customwidget>\n"
                          "   <class>%1</class>\n"
                          "   <extends>%3</extends>\n"
                          "   <header>%4</header>\n"
                          "  </customwidget>\n"
                          " </customwidgets>\n"
                          "</ui>\n")
        .arg(m_name, objectName, m_baseClass, m_includeFile);
}
