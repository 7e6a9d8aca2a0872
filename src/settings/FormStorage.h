#pragma once

#include <string>
#include <utility>
#include <vector>

#include "win/Component.h"

namespace vps {

// Keeps a few properties of a form's components across runs, in the section named after the
// form's class, under the keys "<component>_<property>". Restored at every show; saved when the
// form closes for good, and then only once after each restore, so a program that was never shown
// does not overwrite what an earlier run stored.
class FormStorage {
public:
    FormStorage(std::string section, std::vector<std::pair<win::Component*, std::string>> storedProps);

    void restore();
    void save();

private:
    std::string section_;
    std::vector<std::pair<win::Component*, std::string>> storedProps_;
    bool restored_ = false;
};

}  // namespace vps
