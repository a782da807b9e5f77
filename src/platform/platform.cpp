#include "platform.h"

#include "linuxplatform.h"

#include <atomic>

namespace {
std::atomic<Platform *> installed{nullptr};
} // namespace

Platform::~Platform() = default;

Platform *Platform::instance()
{
    if (Platform *platform = installed.load())
        return platform;
    static LinuxPlatform system;
    return &system;
}

void Platform::setInstance(Platform *platform)
{
    installed.store(platform);
}
