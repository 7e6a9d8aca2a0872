#include "output/SaveCapture.h"

#include <stdexcept>
#include <vector>

#include "core/BmpFile.h"
#include "core/CaptureChoices.h"
#include "core/FileNaming.h"
#include "core/SaveFileType.h"
#include "output/JpegEncoder.h"
#include "output/PngEncoder.h"
#include "output/SafeFileWriter.h"
#include "settings/uIni.h"
#include "win/Application.h"
#include "win/WideText.h"

namespace vps {

using options::FileFormatChoice;
using options::indexOf;

namespace {

// A folder of the proposed name must not push the proposal on: only files count.
bool isExistingFile(const std::string& name) {
    const DWORD attributes = GetFileAttributesW(win::wide(name).c_str());
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

// What one save asks for besides the picture.
struct SaveRequest {
    int format;     // FileFormatChoice
    int quality;    // the encoder's, for JPEG
    bool offerPng;  // Save as a File; the type chosen is remembered
    bool mail;      // Email as JPEG: always a JPEG under a ".jpg" name
    std::string baseName;
};

// The proposal, then the dialog; false when the user cancelled.
bool askForFileName(HWND owner, win::SaveDialog& dialog, const SaveRequest& request,
                    const SaveDialogTypes& types, const std::string& proposal) {
    dialog.Title = "Save Picture";
    // "bmp" for JPEG too: a name typed without an extension gets ".bmp" whatever the format.
    // With the PNG entry selected, the dialog appends that entry's ".png" instead. The mail's
    // JPEG goes out under a ".jpg" name, which the dialog then gives a bare name itself.
    dialog.DefaultExt = request.mail ? "jpg" : "bmp";
    dialog.OverwritePrompt = true;
    dialog.Filter = types.filter;
    dialog.FilterIndex = types.filterIndex;
    dialog.FileName = proposal;
    if (!dialog.execute(owner)) return false;
    dialog.InitialDir = FolderOf(dialog.FileName);
    return true;
}

// The name the picture is written under: the chosen one as Windows itself would name the file,
// and for the mail one ending in ".jpg".
std::string fileNameToWrite(const std::string& chosen, const SaveRequest& request) {
    const std::string name = WithoutTrailingSpacesAndDots(chosen);
    return request.mail ? mailJpegFileName(name) : name;
}

std::vector<std::uint8_t> fileBytes(SaveFileType type, const BgrPicture& picture, int jpegQuality) {
    switch (type) {
        case SaveFileType::Jpg: return EncodeJpeg(picture, jpegQuality);
        case SaveFileType::Png: return EncodePng(picture);
        case SaveFileType::Bmp: break;
    }
    return BmpFileBytes(picture);
}

// The picture is on disk by now: a settings file that cannot be written is reported, and the
// save still counts as done.
void rememberFileType(SaveFileType type) {
    try {
        WriteString(settings::SaveDialogFileType, std::string(saveFileTypeText(type)));
    } catch (const std::exception& error) {
        win::Application::showException(error);
    }
}

std::string save(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                 const SaveRequest& request) {
    const SaveFileType lastType =
        request.offerPng ? saveFileTypeFromText(ReadString(settings::SaveDialogFileType))
                         : SaveFileType::Bmp;
    SaveDialogTypes types = saveDialogTypes(request.format, request.offerPng, lastType);
    // The BMP base carries no folder, so its proposal looks in the current directory, which the
    // dialog leaves in the folder of the last file saved; JPEG's looks in the remembered folder.
    const std::string base = request.format == indexOf(FileFormatChoice::Jpg)
                                 ? InFolder(dialog.initialFolder(), request.baseName)
                                 : request.baseName;
    std::string proposal = NextFreeFileName(base, types.extension, isExistingFile);
    std::string target;
    for (;;) {
        if (!askForFileName(owner, dialog, request, types, proposal)) return {};
        target = fileNameToWrite(dialog.FileName, request);
        // The dialog asked before replacing the name it gave back, not the one made of it: when
        // that one is taken, the dialog shows it, and asks about it when the user takes it.
        if (target == dialog.FileName || !isExistingFile(target)) break;
        proposal = target;
        types.filterIndex = dialog.FilterIndex;
    }
    const SaveFileType type =
        chosenSaveFileType(target, dialog.FilterIndex, request.format, request.offerPng);
    // Every type through the safe writer: a failed save never leaves half a file.
    WriteFileSafely(target, fileBytes(type, pictureOf(bitmap), request.quality));
    if (request.offerPng) rememberFileType(type);
    return target;
}

}  // namespace

std::string SaveCapture(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                        int format, int qualityPosition, const std::string& baseName,
                        bool offerPng) {
    if (format != indexOf(FileFormatChoice::Bmp) && format != indexOf(FileFormatChoice::Jpg)) return {};
    // A bad quality position is refused before the dialog, not after the user chose a name.
    const int quality = format == indexOf(FileFormatChoice::Jpg) ? jpegQualityAt(qualityPosition) : 0;
    return save(owner, dialog, bitmap,
                {.format = format,
                 .quality = quality,
                 .offerPng = offerPng,
                 .mail = false,
                 .baseName = baseName});
}

std::string SaveMailJpeg(HWND owner, win::SaveDialog& dialog, const CaptureBitmap& bitmap,
                         int qualityPosition, const std::string& baseName) {
    const int quality = jpegQualityAt(qualityPosition);
    return save(owner, dialog, bitmap,
                {.format = indexOf(FileFormatChoice::Jpg),
                 .quality = quality,
                 .offerPng = false,
                 .mail = true,
                 .baseName = baseName});
}

}  // namespace vps
