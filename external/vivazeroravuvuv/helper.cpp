#include "helper.h"

#include <atomic>

namespace {
std::atomic<unsigned char> s_settingsValue{0};
}

bool Helper::initSettings(unsigned char value)
{
    s_settingsValue.store(value, std::memory_order_relaxed);
    return true;
}

unsigned char Helper::settingsValue()
{
    return s_settingsValue.load(std::memory_order_relaxed);
}
