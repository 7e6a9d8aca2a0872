#pragma once

#include "win/Form.h"

namespace vps {

// Holder of the program's one marching outline. The window is never shown.
class TfmAnimatedRectangle : public win::Form {
public:
    TfmAnimatedRectangle();
};

inline TfmAnimatedRectangle* fmAnimatedRectangle = nullptr;

}  // namespace vps
