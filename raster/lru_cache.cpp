#include "raster/lru_cache.h"

namespace raster {

LruCache::Order::iterator LruCache::Add(std::size_t bytes, std::function<void()> forget)
{
    bytes_ += bytes;
    return order_.insert(order_.end(), Entry{bytes, std::move(forget)});
}

void LruCache::Remove(Order::iterator entry)
{
    bytes_ -= entry->bytes;
    order_.erase(entry);
}

void LruCache::Clear()
{
    while (!order_.empty())
        ForgetOldest();
}

void LruCache::Trim()
{
    while (bytes_ > budget_ && order_.size() > 1)
        ForgetOldest();
}

void LruCache::ForgetOldest()
{
    // Out of the order before it is forgotten: what it held may let go of
    // more, which leaves the order itself.
    Entry oldest = std::move(order_.front());
    order_.pop_front();
    bytes_ -= oldest.bytes;
    oldest.forget();
}

} // namespace raster
