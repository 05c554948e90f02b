#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <memory>
#include <vector>

class DesignerWidget;

/** The Qt Designer plugin of the library: offers ClickableLineEdit, CustomLineEdit and
 *  TextOverlay in Designer's widget box, so that forms create them directly. */
class DesignerWidgetCollection : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit DesignerWidgetCollection(QObject *parent = nullptr);
    ~DesignerWidgetCollection() override;

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    std::vector<std::unique_ptr<DesignerWidget>> m_widgets;
};
