// Any bytes as text: each of the library's highlighters colours it exactly as the plain rule
// pass does, character by character, with the same block states.

#include "highlightreference.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Text documents need the font database of a GUI application, not a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    for (const HighlightReference::Language language : HighlightReference::Languages) {
        const QString difference = HighlightReference::differenceFromReference(language, text);
        if (!difference.isEmpty()) {
            std::fprintf(stderr, "viewer_highlight: language %d: %s\n", int(language),
                         qPrintable(difference));
            std::abort();
        }
    }
    return 0;
}
