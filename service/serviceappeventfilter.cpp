#include "service/serviceappeventfilter.h"

ServiceAppEventFilter *ServiceAppEventFilter::instance()
{
    static ServiceAppEventFilter filter;
    return &filter;
}

bool ServiceAppEventFilter::nativeEventFilter(const QByteArray &, void *, long *)
{
    return false;
}
