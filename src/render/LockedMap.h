#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "render/LockedList.h"

namespace velunor {

// An ordered map with unique keys that any thread may use. Walks over it go through a snapshot, so
// that no lock is held while a caller acts on a value and the action may change the map itself.
// Destroying it frees its own entries only: whatever the values point to is their owner's
// business.
template <typename Key, typename Value>
class LockedMap {
public:
    LockedMap() = default;
    virtual ~LockedMap() = default;
    LockedMap(const LockedMap&) = delete;
    LockedMap& operator=(const LockedMap&) = delete;

    // False, and the map unchanged, when the key is already present.
    bool Insert(const Key& key, Value value) {
        std::scoped_lock hold(m_lock);
        return m_map.emplace(key, std::move(value)).second;
    }

    std::optional<Value> Find(const Key& key) const {
        std::scoped_lock hold(m_lock);
        const auto entry = m_map.find(key);
        if (entry == m_map.end()) {
            return std::nullopt;
        }
        return entry->second;
    }

    bool Contains(const Key& key) const {
        std::scoped_lock hold(m_lock);
        return m_map.contains(key);
    }

    // The key's value, erased from the map; nothing when the key is absent.
    std::optional<Value> Take(const Key& key) {
        std::scoped_lock hold(m_lock);
        if (!Contains(key)) {  // takes the lock a second time: it is re-entrant
            return std::nullopt;
        }
        auto node = m_map.extract(key);
        return std::optional<Value>(std::move(node.mapped()));
    }

    std::size_t Size() const {
        std::scoped_lock hold(m_lock);
        return m_map.size();
    }

    // Copies of the values appended to the snapshot in key order. The map's lock is taken before
    // the snapshot's, never the other way round.
    void CopyValuesTo(LockedList<Value>& snapshot) const {
        std::scoped_lock hold(m_lock);
        for (const auto& entry : m_map) {
            snapshot.Append(entry.second);
        }
    }

    // Empties the map, moving its values to the list in key order.
    void MoveValuesTo(LockedList<Value>& list) {
        std::scoped_lock hold(m_lock);
        for (auto& entry : m_map) {
            list.Append(std::move(entry.second));
        }
        m_map.clear();
    }

    // Acts on every value present when the pass starts, once each, in key order, with no lock held:
    // the action may insert or take entries, from this thread or another one.
    template <typename Action>
    void ForEachValue(Action&& action) const {
        LockedList<Value> snapshot;
        CopyValuesTo(snapshot);
        snapshot.Drain(std::forward<Action>(action));
    }

private:
    // Re-entrant, so that a holder may call the map's own operations again.
    mutable std::recursive_mutex m_lock;
    std::map<Key, Value> m_map;
};

}  // namespace velunor
