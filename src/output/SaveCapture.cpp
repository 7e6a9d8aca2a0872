#include "output/SaveCapture.h"

#include <stdexcept>
#include <vector>

#include "core/BmpFile.h"
#include "core/FileNaming.h"
#include "core/CaptureChoices.h"
#include "core/SaveFileType.h"
#include "output/JpegEncoder.h"
#include "output/PngEncoder.h"
#include "output/SafeFileWriter.h"
#include "settings/uIni.h"

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

// Where the type the user chose last is kept.

// The proposal, then the dialog; false when the user cancelled.
bool askForFileName(HWND owner, win::SaveDialog& dialog, const SaveDialogTypes& types,
                    const std::string& proposal) {
    dialog.Title = "Save Picture";
    // "bmp" for JPEG too: a name typed without an extension gets ".bmp" whatever the format.
    // With the PNG entry selected, the dialog appends that entry's ".png" instead.
    dialog.DefaultExt = "bmp";
    dialog.OverwritePrompt = true;
    dialog.Filter = types.filter;
    dialog.FilterIndex = types.filterIndex;
    dialog.FileName = proposal;
    if (!dialog.execute(owner)) return false;
    dialog.InitialDir = FolderOf(dialog.FileName);
    return true;
}

std::vector<std::uint8_t> fileBytes(SaveFileType type, const BgrPicture& picture, int jpegQuality) {
    switch (type) {
        case SaveFileType::Jpg: return EncodeJpeg(picture, jpegQuality);
        case SaveFileType::Png: return EncodePng(picture);
        case SaveFileType::Bmp: break;
    }
    return BmpFileBytes(picture);
}

}  // namespace

std::string SaveCapture(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                        int format, int qualityPosition, const std::string& baseName,
                        bool offerPng) {
    if (format != indexOf(FileFormatChoice::Bmp) && format != indexOf(FileFormatChoice::Jpg)) return {};
    // A bad quality position is refused before the dialog, not after the user chose a name.
    const int quality = format == indexOf(FileFormatChoice::Jpg) ? jpegQualityAt(qualityPosition) : 0;
    const SaveFileType lastType = offerPng ? saveFileTypeFromText(ReadString(settings::SaveDialogFileType))
                                           : SaveFileType::Bmp;
    const SaveDialogTypes types = saveDialogTypes(format, offerPng, lastType);
    // The BMP base carries no folder, so its proposal looks in the current directory, which the
    // dialog leaves in the folder of the last file saved; JPEG's looks in the remembered folder.
    const std::string base =
        format == indexOf(FileFormatChoice::Jpg) ? InFolder(dialog.InitialDir, baseName) : baseName;
    if (!askForFileName(owner, dialog, types,
                        NextFreeFileName(base, types.extension, isExistingFile))) {
        return {};
    }
    const SaveFileType type = chosenSaveFileType(dialog.FileName, dialog.FilterIndex, format);
    if (offerPng) WriteString(settings::SaveDialogFileType, std::string(saveFileTypeText(type)));
    // Every type through the safe writer: a failed save never leaves half a file.
    WriteFileSafely(dialog.FileName, fileBytes(type, pictureOf(bitmap), quality));
    return dialog.FileName;
}

}  // namespace vps
