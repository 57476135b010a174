#pragma once

#include <cstddef>
#include <list>
#include <mutex>
#include <optional>
#include <utility>

namespace velunor {

// A first-in-first-out list that any thread may append to and take from. Destroying it frees its
// own nodes only: whatever the values point to is their owner's business.
template <typename Value>
class LockedList {
public:
    LockedList() = default;
    virtual ~LockedList() = default;
    LockedList(const LockedList&) = delete;
    LockedList& operator=(const LockedList&) = delete;

    void Append(Value value) {
        std::scoped_lock hold(m_lock);
        m_list.push_back(std::move(value));
    }

    // The oldest value, unlinked from the list; nothing when the list is empty.
    std::optional<Value> TakeFront() {
        std::scoped_lock hold(m_lock);
        if (m_list.empty()) {
            return std::nullopt;
        }
        std::optional<Value> front(std::move(m_list.front()));
        m_list.pop_front();
        return front;
    }

    // Hands every value to the action, oldest first, each taken off under the lock and acted on
    // with no lock held, so the action may use this list or any other container freely. Values
    // appended meanwhile are handed over too.
    template <typename Action>
    void Drain(Action&& action) {
        while (std::optional<Value> value = TakeFront()) {
            action(std::move(*value));
        }
    }

    std::size_t Size() const {
        std::scoped_lock hold(m_lock);
        return m_list.size();
    }

private:
    // Re-entrant, so that a holder may call the list's own operations again.
    mutable std::recursive_mutex m_lock;
    std::list<Value> m_list;
};

}  // namespace velunor
