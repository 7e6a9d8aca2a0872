#pragma once

#include <windows.h>

#include <string>

#include "win/Component.h"

namespace win {

// The system's Save dialog as a component whose initial folder can be stored by name.
class SaveDialog : public Component {
public:
    explicit SaveDialog(std::string name) : name_(std::move(name)) {}

    std::string Title;
    std::string DefaultExt;
    std::string Filter;   // pairs of "description|pattern", separated by "|"
    int FilterIndex = 1;  // the selected pair, from 1; after OK, the one the user left selected
    std::string FileName;
    std::string InitialDir;
    bool OverwritePrompt = true;

    // Shows the dialog; on OK, FileName holds the chosen path. False when cancelled.
    bool execute(HWND owner);

    const std::string& componentName() const override { return name_; }
    std::optional<PropertyAccess> property(std::string_view name) override;

private:
    std::string name_;
};

}  // namespace win
