#pragma once

#include <windows.h>

#include <utility>

// Owners for the system's handles, and a guard that runs a step on every way out of a scope.
// Each owner is non-copyable and movable, and gives its handle back on every path. GDI objects
// and device contexts have their own owners in Gdi.h, built on UniqueHandle where they can be.
namespace win {

template <typename T>
constexpr T nullHandle() {
    return T{};
}

// Owns a handle of type T, closed with `Close`. The system marks "no handle" differently by
// function (CreateFile answers INVALID_HANDLE_VALUE, CreateEvent and CreateThread null), so the
// owner names its own empty value.
template <typename T, auto Close, T (*Empty)() = nullHandle<T>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Empty()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty(); }
    // For functions that answer the handle through a pointer; whatever was owned is closed.
    T* out() {
        reset();
        return &handle_;
    }
    // Gives up ownership, for a handle the system takes over (the clipboard, a window region).
    T release() { return std::exchange(handle_, Empty()); }
    void reset(T handle = Empty()) {
        if (handle_ != Empty()) Close(handle_);
        handle_ = handle;
    }
    // Closing a written file can report a failed delayed write, so a writer checks it. For
    // closers that answer non-zero on success (CloseHandle, not GlobalFree).
    bool close() {
        const T handle = std::exchange(handle_, Empty());
        return handle == Empty() || Close(handle) != 0;
    }

private:
    T handle_ = Empty();
};

inline HANDLE invalidHandleValue() { return INVALID_HANDLE_VALUE; }

// What CreateFile opens.
using FileHandle = UniqueHandle<HANDLE, &CloseHandle, invalidHandleValue>;
// What CreateEvent, CreateThread and their kin create.
using Handle = UniqueHandle<HANDLE, &CloseHandle>;
using RegistryKey = UniqueHandle<HKEY, &RegCloseKey>;
// Memory from GlobalAlloc that nobody else took over.
using GlobalMemory = UniqueHandle<HGLOBAL, &GlobalFree>;

template <typename Interface>
void releaseInterface(Interface* pointer) {
    pointer->Release();
}

// A COM interface pointer, released with its owner.
template <typename Interface>
using ComPtr = UniqueHandle<Interface*, &releaseInterface<Interface>>;

// Runs `step` when the scope is left, by any path, an exception included.
template <typename Step>
class ScopeExit {
public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { step_(); }

private:
    Step step_;
};

}  // namespace win
