#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <utility>

namespace raster {

// What is kept for speed, of every kind, in one place: kept while it fits a
// budget of bytes, what was used least recently let go first. A value let go
// lives on where it is still used. The store outlives what it keeps.
class Store {
public:
    explicit Store(std::size_t budget)
        : budget_(budget)
    {
    }
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Lets go of everything kept.
    void Clear();
    std::size_t Bytes() const { return bytes_; }
    std::size_t Budget() const { return budget_; }

private:
    template <class Key, class Value, class Compare> friend class Kept;
    struct Entry {
        std::size_t bytes;
        std::function<void()> forget;
    };
    using Order = std::list<Entry>; // the most recently used last

    Order::iterator Add(std::size_t bytes, std::function<void()> forget);
    void Touch(Order::iterator entry) { order_.splice(order_.end(), order_, entry); }
    void Resize(Order::iterator entry, std::size_t bytes);
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

// One kind of thing kept in a store, found by its key; `Compare` may find
// by other types of key too.
template <class Key, class Value, class Compare = std::less<>> class Kept {
public:
    explicit Kept(Store &store)
        : store_(store)
    {
    }
    ~Kept()
    {
        for (auto &[key, slot] : map_)
            store_.Remove(slot.entry);
    }
    Kept(const Kept &) = delete;
    Kept &operator=(const Kept &) = delete;

    template <class Other> std::shared_ptr<Value> Find(const Other &key)
    {
        const auto found = map_.find(key);
        if (found == map_.end())
            return nullptr;
        store_.Touch(found->second.entry);
        return found->second.value;
    }
    // Keeps the value under the key, `bytes` large, and gives it back.
    std::shared_ptr<Value> Keep(Key key, std::shared_ptr<Value> value, std::size_t bytes)
    {
        if (const auto old = map_.find(key); old != map_.end()) {
            store_.Remove(old->second.entry);
            map_.erase(old);
        }
        const auto slot = map_.emplace(std::move(key), Slot{value, {}}).first;
        slot->second.entry = store_.Add(bytes, [this, slot] { map_.erase(slot); });
        store_.Trim();
        return value;
    }
    // The value grew or shrank.
    template <class Other> void Resize(const Other &key, std::size_t bytes)
    {
        if (const auto found = map_.find(key); found != map_.end())
            store_.Resize(found->second.entry, bytes);
    }

private:
    struct Slot {
        std::shared_ptr<Value> value;
        Store::Order::iterator entry;
    };
    Store &store_;
    std::map<Key, Slot, Compare> map_;
};

} // namespace raster
