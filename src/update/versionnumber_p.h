#pragma once

#include <QString>

/** Version numbers as the update checkers read them: components separated by ".", each read as
 *  its leading decimal digits ("2.4.1-beta" is 2.4.1, a component without digits is 0), compared
 *  numerically and without a size limit, a missing component counting as 0 (2.4 equals 2.4.0). */
namespace VersionNumber {

/** Negative when \a a is older than \a b, 0 when they are equal, positive when it is newer. */
int compare(const QString &a, const QString &b);

/** The version with at least three components, each as its number: 7 gives 7.0.0, 2.4.1-beta
 *  gives 2.4.1, 1.02.3.4 gives 1.2.3.4. */
QString threePartForm(const QString &version);

} // namespace VersionNumber
