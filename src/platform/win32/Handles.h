#pragma once

#include <objbase.h>
#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace velunor {

// Small owners of what Windows hands out, each given back when its owner goes, so that no path
// out of a function (or a constructor that stops half-way) leaks one.

namespace handles {
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
}  // namespace handles

// A kernel object: a mutex, a thread, an event, a token. Null when there is none.
using UniqueHandle = std::unique_ptr<void, handles::CloseKernelHandle>;

// A GDI object of one kind (HBITMAP, HFONT, HRGN, ...), deleted when it goes. It must no longer
// be selected into a DC by then.
template <typename Object>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Object>, handles::DeleteGdiObject>;

// A memory DC of CreateCompatibleDC.
using MemoryDC = std::unique_ptr<HDC__, handles::DeleteMemoryDC>;

// An icon of LoadIconMetric or CreateIcon (not a shared one of LoadIcon).
using UniqueIcon = std::unique_ptr<HICON__, handles::DestroyIconHandle>;

// A window's DC of GetDC, released to the window again.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDC() {
        if (m_dc != nullptr) {
            ReleaseDC(m_window, m_dc);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// An object selected into a DC for as long as this lives; what was selected before comes back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~Selection() {
        if (m_previous != nullptr) {
            SelectObject(m_dc, m_previous);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Owns one reference to a COM interface and releases it when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference that a call handed out.
    explicit ComRef(Interface* owned) : m_pointer(owned) {}
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

// COM on the calling thread (single-threaded apartment) for as long as this lives.
class ComApartment {
public:
    ComApartment() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (m_ok) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_ok;
};

}  // namespace velunor
