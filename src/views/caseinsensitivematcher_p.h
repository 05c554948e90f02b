#pragma once

#include <QString>

#include <array>

/** Answers whether texts contain a fixed pattern, letter case ignored, with exactly the result
 *  of QString::indexOf(pattern, 0, Qt::CaseInsensitive) != -1.
 *
 *  Searching a large model is mostly this test, and QString::indexOf folds every character of
 *  the text through the Unicode tables. For the usual pattern of ASCII characters the matcher
 *  instead runs a Horspool search on ASCII-folded characters, which looks at a few characters
 *  per text; other patterns go to QString::indexOf. */
class CaseInsensitiveMatcher
{
public:
    explicit CaseInsensitiveMatcher(const QString &pattern);

    bool isContainedIn(const QString &text) const;

private:
    QString m_pattern;
    // The pattern folded to lower case; empty when the pattern is not ASCII.
    std::u16string m_folded;
    std::array<int, 128> m_shift{};
    bool m_ascii = true;
};
