#include "designerwidgetcollection.h"

#include "designerwidget.h"

#include <ZezuzuDOD/clickablelineedit.h>
#include <ZezuzuDOD/customlineedit.h>
#include <ZezuzuDOD/textoverlay.h>

DesignerWidgetCollection::DesignerWidgetCollection(QObject *parent)
    : QObject(parent)
{
    m_widgets.push_back(std::make_unique<DesignerWidget>(
        QStringLiteral("ClickableLineEdit"), QStringLiteral("QLineEdit"),
        QStringLiteral("clickablelineedit.h"),
        QStringLiteral("Line edit that reports a left click with its link"),
        [](QWidget *parent) { return new ClickableLineEdit(parent); }));
    m_widgets.push_back(std::make_unique<DesignerWidget>(
        QStringLiteral("CustomLineEdit"), QStringLiteral("QLineEdit"),
        QStringLiteral("customlineedit.h"),
        QStringLiteral("Line edit that takes a dropped file with an accepted suffix"),
        [](QWidget *parent) { return new CustomLineEdit(parent); }));
    m_widgets.push_back(std::make_unique<DesignerWidget>(
        QStringLiteral("TextOverlay"), QStringLiteral("QWidget"), QStringLiteral("textoverlay.h"),
        QStringLiteral("Transparent hint text over the widgets beneath it"),
        [](QWidget *parent) { return new TextOverlay(parent); }));
}

DesignerWidgetCollection::~DesignerWidgetCollection() = default;

QList<QDesignerCustomWidgetInterface *> DesignerWidgetCollection::customWidgets() const
{
    QList<QDesignerCustomWidgetInterface *> widgets;
    for (const auto &widget : m_widgets)
        widgets.append(widget.get());
    return widgets;
}
