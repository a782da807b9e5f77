#ifndef SERVICEAPPEVENTFILTER_H
#define SERVICEAPPEVENTFILTER_H

#include <QAbstractNativeEventFilter>

// Installed into the service's event loop to keep the service running when
// the interactive user's session ends. A service here has no session
// messages to hold back, so every event passes.
class ServiceAppEventFilter : public QAbstractNativeEventFilter
{
public:
    // The one filter of the process.
    static ServiceAppEventFilter *instance();

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;
};

#endif // SERVICEAPPEVENTFILTER_H
