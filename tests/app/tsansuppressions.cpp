// Qt is not built with the thread sanitizer, so the sanitizer cannot see Qt's own locks. QtTest's
// watchdog thread is woken and deleted under such a lock; those reports are about QtTest, not
// about the code under test. Qt frames show up in a report only where Qt called an intercepted
// function itself, so these names do not hide races of instrumented code.
#if defined(__SANITIZE_THREAD__)
extern "C" __attribute__((visibility("default"))) const char *__tsan_default_suppressions()
{
    return "race:QWaitCondition::~QWaitCondition\n"
           "race:QTest::qRun\n";
}
#endif
