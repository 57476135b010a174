#pragma once

#include <unknwn.h>

#include <utility>

namespace velunor {

// Owns one reference to a COM interface and releases it when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef& other) : m_pointer(other.m_pointer) {
        if (m_pointer != nullptr) {
            m_pointer->AddRef();
        }
    }
    ComRef(ComRef&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }

    void Reset() {
        if (m_pointer != nullptr) {
            std::exchange(m_pointer, nullptr)->Release();
        }
    }
    // For calls that hand out a new reference: what was held is released first.
    Interface** Receive() {
        Reset();
        return &m_pointer;
    }
    // Another interface of the same object, or none. The id is passed in because not every
    // header declares one for __uuidof.
    template <typename Other>
    ComRef<Other> As(REFIID id) const {
        ComRef<Other> other;
        if (m_pointer != nullptr) {
            m_pointer->QueryInterface(id, reinterpret_cast<void**>(other.Receive()));
        }
        return other;
    }

    Interface* Get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

private:
    Interface* m_pointer = nullptr;
};

}  // namespace velunor
