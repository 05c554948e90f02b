// Any pattern and text: the view search's case-insensitive matcher answers exactly what
// QString::indexOf(pattern, 0, Qt::CaseInsensitive) answers.

#include "caseinsensitivematcher_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Bytes below 0x80 are themselves; the others pick characters where folding is tricky: letters
// beyond ASCII that fold into it, letters with case, surrogate halves and pairs.
const char16_t tricky[]
    = {u'\u212A', u'\u017F', u'\u00DF', u'\u00C4', u'\u00E4', u'\u0130', u'\u0131', u'\u03A3',
       u'\u03C2', 0xD801,    0xDC00,    0xDC28,    0xD800,    u'K',      u's',      u'\uFB00'};

QString decode(const uint8_t *data, size_t size)
{
    QString text;
    for (size_t i = 0; i < size; ++i)
        text += QChar(data[i] < 0x80 ? char16_t(data[i]) : tricky[data[i] % 16]);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte says how long the pattern is; the text is the rest.
    const size_t patternSize = std::min<size_t>(data[0] % 8, size - 1);
    const QString pattern = decode(data + 1, patternSize);
    const QString text = decode(data + 1 + patternSize, size - 1 - patternSize);
    const bool expected = text.indexOf(pattern, 0, Qt::CaseInsensitive) != -1;
    if (CaseInsensitiveMatcher(pattern).isContainedIn(text) != expected) {
        fprintf(stderr, "views_matcher: differs from QString::indexOf\n");
        abort();
    }
    return 0;
}
