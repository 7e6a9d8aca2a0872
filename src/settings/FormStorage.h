#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win/Component.h"

namespace vps {

// Keeps a few properties of a form's components across runs, in the section named after the
// form's class, under the keys "<component>_<property>". Restored at every show; saved when the
// form closes for good, and then only once after each restore, so a program that was never shown
// does not overwrite what an earlier run stored.
//
// A restore leaves alone a property the program changed since the last restore (the Save
// dialog's folder after a save): the file still holds the value of the start, and the newer one
// is written when the form closes for good.
class FormStorage {
public:
    FormStorage(std::string section, std::vector<std::pair<win::Component*, std::string>> storedProps);

    void restore();
    void save();

private:
    std::string section_;
    std::vector<std::pair<win::Component*, std::string>> storedProps_;
    // Each property's value as the last restore left it; none before the first restore.
    std::vector<std::optional<std::string>> restoredValues_;
    bool restored_ = false;
};

}  // namespace vps
