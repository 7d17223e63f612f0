#include "codec/CodecTestHooks.h"

namespace torvik::codec::testhooks {

namespace detail {

IoHook &ioHook()
{
    static IoHook hook;
    return hook;
}

OpenHook &openHook()
{
    static OpenHook hook;
    return hook;
}

RekeyHook &rekeyCopyHook()
{
    static RekeyHook hook;
    return hook;
}

} // namespace detail

void setIoHook(IoHook hook)
{
    detail::ioHook() = std::move(hook);
}

void setOpenHook(OpenHook hook)
{
    detail::openHook() = std::move(hook);
}

void setRekeyCopyHook(RekeyHook hook)
{
    detail::rekeyCopyHook() = std::move(hook);
}

void clearAll()
{
    setIoHook({});
    setOpenHook({});
    setRekeyCopyHook({});
}

} // namespace torvik::codec::testhooks
