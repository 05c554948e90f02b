#include "versionnumber_p.h"

#include <QList>
#include <QVector>

#include <algorithm>

namespace {

// The digits of a component without leading zeros, so that components of any length compare
// by length first and then as text, with no overflow.
QStringView number(QStringView component)
{
    int end = 0;
    while (end < component.size() && component.at(end).isDigit()
           && component.at(end).unicode() < 128)
        ++end;
    int begin = 0;
    while (begin < end && component.at(begin) == QLatin1Char('0'))
        ++begin;
    return component.mid(begin, end - begin);
}

QVector<QStringView> numbers(const QString &version)
{
    QVector<QStringView> result;
    for (const QStringView component : QStringView(version).split(QLatin1Char('.')))
        result.append(number(component));
    return result;
}

} // namespace

namespace VersionNumber {

int compare(const QString &a, const QString &b)
{
    const QVector<QStringView> left = numbers(a);
    const QVector<QStringView> right = numbers(b);
    for (int i = 0; i < std::max(left.size(), right.size()); ++i) {
        const QStringView l = left.value(i);
        const QStringView r = right.value(i);
        if (l.size() != r.size())
            return l.size() < r.size() ? -1 : 1;
        if (const int order = l.compare(r))
            return order < 0 ? -1 : 1;
    }
    return 0;
}

QString threePartForm(const QString &version)
{
    QVector<QStringView> parts = numbers(version);
    parts.resize(std::max(parts.size(), 3));
    QString result;
    for (const QStringView part : qAsConst(parts)) {
        if (!result.isEmpty())
            result += QLatin1Char('.');
        result += part.isEmpty() ? QStringLiteral("0") : part.toString();
    }
    return result;
}

} // namespace VersionNumber
