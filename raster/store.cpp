#include "raster/store.h"

namespace raster {

Store::Order::iterator Store::Add(std::size_t bytes, std::function<void()> forget)
{
    bytes_ += bytes;
    return order_.insert(order_.end(), Entry{bytes, std::move(forget)});
}

void Store::Resize(Order::iterator entry, std::size_t bytes)
{
    bytes_ = bytes_ - entry->bytes + bytes;
    entry->bytes = bytes;
    Trim();
}

void Store::Remove(Order::iterator entry)
{
    bytes_ -= entry->bytes;
    order_.erase(entry);
}

void Store::Clear()
{
    while (!order_.empty())
        ForgetOldest();
}

void Store::Trim()
{
    while (bytes_ > budget_ && order_.size() > 1)
        ForgetOldest();
}

void Store::ForgetOldest()
{
    // Out of the order before it is forgotten: what it held may let go of
    // more, which leaves the order itself.
    Entry oldest = std::move(order_.front());
    order_.pop_front();
    bytes_ -= oldest.bytes;
    oldest.forget();
}

} // namespace raster
