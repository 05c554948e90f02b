#include "caseinsensitivematcher_p.h"

CaseInsensitiveMatcher::CaseInsensitiveMatcher(const QString &pattern)
    : m_pattern(pattern)
{
    for (const QChar c : pattern) {
        if (c.unicode() >= 0x80) {
            m_ascii = false;
            return;
        }
        m_folded.push_back(CaseInsensitiveMatcherDetail::foldAscii(c.unicode()));
    }
    const int length = int(m_folded.size());
    m_shift.fill(length);
    for (int i = 0; i < length - 1; ++i)
        m_shift[m_folded[i]] = length - 1 - i;
}
