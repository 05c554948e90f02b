#include "caseinsensitivematcher_p.h"

namespace {

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

} // namespace

CaseInsensitiveMatcher::CaseInsensitiveMatcher(const QString &pattern)
    : m_pattern(pattern)
{
    for (const QChar c : pattern) {
        if (c.unicode() >= 0x80) {
            m_ascii = false;
            return;
        }
        m_folded.push_back(foldAscii(c.unicode()));
    }
    const int length = int(m_folded.size());
    m_shift.fill(length);
    for (int i = 0; i < length - 1; ++i)
        m_shift[m_folded[i]] = length - 1 - i;
}

bool CaseInsensitiveMatcher::isContainedIn(const QString &text) const
{
    if (!m_ascii)
        return text.indexOf(m_pattern, 0, Qt::CaseInsensitive) != -1;
    const int length = int(m_folded.size());
    if (length == 0)
        return true;
    const auto *chars = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *pattern = m_folded.data();
    const char16_t last = pattern[length - 1];
    const int end = text.size() - length;
    for (int pos = 0; pos <= end;) {
        const char16_t c = fold(chars[pos + length - 1]);
        if (c == last) {
            int k = length - 2;
            while (k >= 0 && fold(chars[pos + k]) == pattern[k])
                --k;
            if (k < 0)
                return true;
        }
        pos += c < 0x80 ? m_shift[c] : length;
    }
    return false;
}
