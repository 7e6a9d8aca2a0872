#pragma once

#include <windows.h>
// After <windows.h>: OPENFILENAMEW.
#include <commdlg.h>

#include <cstddef>
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

    // The longest folder a path of MAX_PATH characters holds: CreateDirectory keeps room in it
    // for a file name of 8.3 characters.
    // https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-createdirectorya
    static constexpr std::size_t kMaxFolderLength = MAX_PATH - 12;

    // Room, in UTF-16 units, for the longest name the dialog may give back: a path of 32767
    // units and its NUL.
    static constexpr std::size_t kFileNameBufferSize = 32767 + 1;

    // InitialDir, or empty when it is longer than a folder can be: such a folder is ignored
    // rather than handed to the system's dialog, which may copy it into a buffer of MAX_PATH.
    std::string initialFolder() const;

    // Shows the dialog; on OK, FileName holds the chosen path. False when cancelled. When the
    // dialog itself fails it is tried once more without the initial folder, then its error is
    // raised; a name too long for the buffer is raised at once, as trying again cannot help.
    bool execute(HWND owner);

    const std::string& componentName() const override { return name_; }
    // "InitialDir": a stored folder longer than kMaxFolderLength is ignored, as any bad stored
    // value is; the folder stays as it was.
    std::optional<PropertyAccess> property(std::string_view name) override;

protected:
    // The system's dialog: true with a name, false with its extended error (0 for a cancel).
    // Every text in `dialog` is wide; FileName and the others are UTF-8 and are converted on
    // the way in and out. Tests stand in for it to fail as the system may.
    virtual bool runDialog(OPENFILENAMEW& dialog, DWORD& error);

private:
    // One showing; false with the dialog's extended error (0 for a cancel) when it gives no name.
    bool showOnce(HWND owner, const std::string& initialDir, DWORD& error);

    std::string name_;
};

}  // namespace win
