// Qt is not built with the thread sanitizer: these reports are about QtTest's watchdog thread and
// Qt's own locks, not about instrumented code.
#if defined(__SANITIZE_THREAD__)
extern "C" __attribute__((visibility("default"))) const char *__tsan_default_suppressions()
{
    return "race:QWaitCondition::~QWaitCondition\nrace:QTest::qRun\n";
}
#endif
