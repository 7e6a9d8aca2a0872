#pragma once

#include <windows.h>
// After <windows.h>: OPENFILENAMEA.
#include <commdlg.h>

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

    // Shows the dialog; on OK, FileName holds the chosen path. False when cancelled. When the
    // dialog itself fails it is tried once more without the initial folder, then its error is
    // raised.
    bool execute(HWND owner);

    const std::string& componentName() const override { return name_; }
    std::optional<PropertyAccess> property(std::string_view name) override;

protected:
    // The system's dialog: true with a name, false with its extended error (0 for a cancel).
    // Tests stand in for it to fail as the system may.
    virtual bool runDialog(OPENFILENAMEA& dialog, DWORD& error);

private:
    // One showing; false with the dialog's extended error (0 for a cancel) when it gives no name.
    bool showOnce(HWND owner, const std::string& initialDir, DWORD& error);

    std::string name_;
};

}  // namespace win
