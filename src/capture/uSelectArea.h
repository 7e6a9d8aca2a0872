#pragma once

#include "win/Form.h"

namespace vps {

// The full-screen window in which a rectangle is drawn over the frozen screen. Hidden except
// while a selection runs.
class TfmSelectedArea : public win::Form {
public:
    TfmSelectedArea();
};

inline TfmSelectedArea* fmSelectedArea = nullptr;

}  // namespace vps
