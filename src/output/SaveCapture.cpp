#include "output/SaveCapture.h"

#include <stdexcept>
#include <vector>

#include "core/BmpFile.h"
#include "core/FileNaming.h"
#include "core/CaptureChoices.h"
#include "output/JpegEncoder.h"
#include "output/SafeFileWriter.h"

namespace vps {

using options::FileFormatChoice;
using options::indexOf;

namespace {

// A folder of the proposed name must not push the proposal on: only files count.
bool isExistingFile(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BgrPicture pictureOf(const CaptureBitmap& bitmap) {
    return {bitmap.width(), bitmap.height(), bitmap.row(0), bitmap.stride()};
}

int jpegQualityAt(int position) {
    if (position < 0 || position >= static_cast<int>(options::JpegQualityTable.size())) {
        throw std::out_of_range("JPEG quality position " + std::to_string(position) +
                                " is outside 0..4.");
    }
    return options::JpegQualityTable[static_cast<std::size_t>(position)];
}

// The proposal, then the dialog; false when the user cancelled.
bool askForFileName(HWND owner, win::SaveDialog& dialog, const char* filter,
                    const std::string& proposal) {
    dialog.Title = "Save Picture";
    // "bmp" for JPEG too: a name typed without an extension gets ".bmp" whatever the format.
    dialog.DefaultExt = "bmp";
    dialog.OverwritePrompt = true;
    dialog.Filter = filter;
    dialog.FileName = proposal;
    if (!dialog.execute(owner)) return false;
    dialog.InitialDir = FolderOf(dialog.FileName);
    return true;
}

}  // namespace

std::string SaveCapture(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                        int format, int qualityPosition, const std::string& baseName) {
    switch (format) {
        case indexOf(FileFormatChoice::Bmp): {
            // The base carries no folder, so this looks in the current directory, which the
            // dialog leaves in the folder of the last file saved.
            if (!askForFileName(owner, dialog, "Bitmap|*.bmp",
                                NextFreeFileName(baseName, ".bmp", isExistingFile))) {
                return {};
            }
            WriteFileSafely(dialog.FileName, BmpFileBytes(pictureOf(bitmap)));
            return dialog.FileName;
        }
        case indexOf(FileFormatChoice::Jpg): {
            const int quality = jpegQualityAt(qualityPosition);
            if (!askForFileName(
                    owner, dialog, "JPEG|*.jpg",
                    NextFreeFileName(InFolder(dialog.InitialDir, baseName), ".jpg", isExistingFile))) {
                return {};
            }
            WriteFileSafely(dialog.FileName, EncodeJpeg(pictureOf(bitmap), quality));
            return dialog.FileName;
        }
        default:
            return {};
    }
}

}  // namespace vps
