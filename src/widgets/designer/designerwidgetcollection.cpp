#include "designerwidgetcollection.h"

#include "designerwidget.h"

#include <ZezuzuDOD/clickablelineedit.h>
#include <ZezuzuDOD/customlineedit.h>
#include <ZezuzuDOD/textoverlay.h>

namespace {

// CustomLineEdit has no meta-object of its own, and Designer warns about every widget that
// neither is nor inherits the class it was created for; inherits() asks qt_metacast().
class DesignerCustomLineEdit : public CustomLineEdit
{
public:
    using CustomLineEdit::CustomLineEdit;

    void *qt_metacast(const char *className) override
    {
        if (qstrcmp(className, "CustomLineEdit") == 0)
            return static_cast<CustomLineEdit *>(this);
        return CustomLineEdit::qt_metacast(className);
    }
};

} // namespace

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
        [](QWidget *parent) { return new DesignerCustomLineEdit(parent); }));
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
