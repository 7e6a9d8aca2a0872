#pragma once

#include "win/Form.h"

namespace vps {

// The always-on-top card that explains the key and the four steps of a capture.
class TfmCheatSheet : public win::Form {
public:
    TfmCheatSheet();
};

inline TfmCheatSheet* fmCheatSheet = nullptr;

}  // namespace vps
