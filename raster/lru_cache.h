#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <utility>

namespace raster {

// About what an entry takes in a cache beside its value: its key, its node
// in the map and in the order of use.
inline constexpr std::size_t kEntryBytes = 128;

// What is kept for speed, of every kind, in one place: kept while it fits a
// budget of bytes, what was used least recently let go first. A value let go
// lives on where it is still used. The cache outlives what it keeps.
class LruCache {
public:
    explicit LruCache(std::size_t budget)
        : budget_(budget)
    {
    }
    LruCache(const LruCache &) = delete;
    LruCache &operator=(const LruCache &) = delete;

    // Lets go of everything kept.
    void Clear();

private:
    template <class Key, class Value, class Compare> friend class Cached;
    struct Entry {
        std::size_t bytes;
        std::function<void()> forget;
    };
    using Order = std::list<Entry>; // the most recently used last

    Order::iterator Add(std::size_t bytes, std::function<void()> forget);
    void Touch(Order::iterator entry) { order_.splice(order_.end(), order_, entry); }
    // Without forgetting: what was kept is gone already.
    void Remove(Order::iterator entry);
    // Lets go of the least recently used until the rest fit, the last one
    // added always kept.
    void Trim();
    void ForgetOldest();

    std::size_t budget_;
    std::size_t bytes_ = 0;
    Order order_;
};

// One kind of thing kept in a cache, found by its key; `Compare` may find
// by other types of key too.
template <class Key, class Value, class Compare = std::less<>> class Cached {
public:
    explicit Cached(LruCache &cache)
        : cache_(cache)
    {
    }
    ~Cached()
    {
        for (auto &[key, slot] : map_)
            cache_.Remove(slot.entry);
    }
    Cached(const Cached &) = delete;
    Cached &operator=(const Cached &) = delete;

    template <class Other> std::shared_ptr<Value> Find(const Other &key)
    {
        const auto found = map_.find(key);
        if (found == map_.end())
            return nullptr;
        cache_.Touch(found->second.entry);
        return found->second.value;
    }
    // Keeps the value under the key, `bytes` large, and gives it back.
    std::shared_ptr<Value> Keep(Key key, std::shared_ptr<Value> value, std::size_t bytes)
    {
        if (const auto old = map_.find(key); old != map_.end()) {
            cache_.Remove(old->second.entry);
            map_.erase(old);
        }
        const auto slot = map_.emplace(std::move(key), Slot{value, {}}).first;
        slot->second.entry = cache_.Add(bytes, [this, slot] { map_.erase(slot); });
        cache_.Trim();
        return value;
    }

private:
    struct Slot {
        std::shared_ptr<Value> value;
        LruCache::Order::iterator entry;
    };
    LruCache &cache_;
    std::map<Key, Slot, Compare> map_;
};

} // namespace raster
