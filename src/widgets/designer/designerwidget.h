#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

/** One widget class of the library as Qt Designer offers it in its widget box. */
class DesignerWidget : public QDesignerCustomWidgetInterface
{
public:
    using Factory = std::function<QWidget *(QWidget *parent)>;

    /** \a name is the class name, \a baseClass the Qt class it derives from and \a includeFile
     *  the header a form's generated code includes. */
    DesignerWidget(const QString &name, const QString &baseClass, const QString &includeFile,
                   const QString &toolTip, const Factory &factory);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    QString m_name;
    QString m_baseClass;
    QString m_includeFile;
    QString m_toolTip;
    Factory m_factory;
    QDesignerFormEditorInterface *m_core = nullptr;
    bool m_initialized = false;
};
