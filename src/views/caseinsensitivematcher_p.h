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

    // Inline below: a search runs it once per row.
    bool isContainedIn(const QString &text) const;

private:
    QString m_pattern;
    // The pattern folded to lower case; empty when the pattern is not ASCII.
    std::u16string m_folded;
    std::array<int, 128> m_shift{};
    bool m_ascii = true;
};

namespace CaseInsensitiveMatcherDetail {

inline char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Characters beyond ASCII can fold into it (KELVIN SIGN to "k", LONG S to "s"), so they go
// through the same table QString uses. A lone surrogate folds to itself and so never equals an
// ASCII pattern character, which is also what a folded surrogate pair gives.
inline char16_t fold(char16_t c)
{
    return c < 0x80 ? foldAscii(c) : char16_t(QChar::toCaseFolded(c));
}

} // namespace CaseInsensitiveMatcherDetail

inline bool CaseInsensitiveMatcher::isContainedIn(const QString &text) const
{
    if (!m_ascii)
        return text.indexOf(m_pattern, 0, Qt::CaseInsensitive) != -1;
    const int length = int(m_folded.size());
    if (length == 0)
        return true;
    const auto *chars = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *pattern = m_folded.data();
    const char16_t last = pattern[length - 1];
    const int end = text.size() - length;
    for (int pos = 0; pos <= end;) {
        const char16_t c = CaseInsensitiveMatcherDetail::fold(chars[pos + length - 1]);
        if (c == last) {
            int k = length - 2;
            while (k >= 0 && CaseInsensitiveMatcherDetail::fold(chars[pos + k]) == pattern[k])
                --k;
            if (k < 0)
                return true;
        }
        pos += c < 0x80 ? m_shift[c] : length;
    }
    return false;
}
