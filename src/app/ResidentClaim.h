#pragma once

#include <string>

#include "win/UniqueHandle.h"

// Which start of the program stays resident. The main window marks the resident copy, but a
// copy makes it only after its start-up work, so two starts close together could both miss it
// and both stay. A named mutex, taken before that work, closes the gap: its holder is the copy
// that stays, and a start that finds it held waits for the holder's window and wakes it.
namespace vps {

class ResidentClaim {
public:
    // Looks for the resident copy and wakes it if there is one, or claims the session for this
    // copy. While the holder of the claim has no main window yet, waits for it a few seconds;
    // a claim its holder left by ending (even by a crash) passes to this copy.
    static ResidentClaim decide();

    ResidentClaim(ResidentClaim&&) = default;
    ResidentClaim& operator=(ResidentClaim&&) = delete;
    ~ResidentClaim();

    // True when this copy is to stay resident; false when another was woken (or is still
    // starting) and this one should end with exit code 0.
    bool granted() const { return granted_; }

private:
    ResidentClaim(bool granted, win::Handle mutex, bool owned);

    bool granted_;
    win::Handle mutex_;
    bool owned_;
};

// The mutex's name: one per user in each session.
std::string residentClaimName();

}  // namespace vps
