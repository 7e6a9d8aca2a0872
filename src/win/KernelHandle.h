#pragma once

#include <windows.h>

#include <utility>

// Owners for kernel handles (files, events, threads): non-copyable, movable, closed on every
// path. The system marks "no handle" differently by function: CreateFile answers
// INVALID_HANDLE_VALUE, CreateEvent and CreateThread answer null, so each kind names its own.
namespace win {

template <HANDLE (*Empty)()>
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty())) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Empty()));
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() { reset(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty(); }
    void reset(HANDLE handle = Empty()) {
        if (handle_ != Empty()) CloseHandle(handle_);
        handle_ = handle;
    }
    // Closing a written file can report a failed delayed write, so a writer checks it.
    bool close() {
        const HANDLE handle = std::exchange(handle_, Empty());
        return handle == Empty() || CloseHandle(handle) != FALSE;
    }

private:
    HANDLE handle_ = Empty();
};

inline HANDLE noFileHandle() { return INVALID_HANDLE_VALUE; }
inline HANDLE noHandle() { return nullptr; }

// What CreateFile opens.
using FileHandle = KernelHandle<noFileHandle>;
// What CreateEvent, CreateThread and their kin create.
using Handle = KernelHandle<noHandle>;

}  // namespace win
