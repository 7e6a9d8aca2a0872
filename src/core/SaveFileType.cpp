#include "core/SaveFileType.h"

#include "core/CaptureChoices.h"
#include "core/TextUtil.h"

namespace vps {

namespace {

constexpr int kPngFilterIndex = 2;

bool endsWith(std::string_view name, std::string_view extension) {
    return name.size() >= extension.size() &&
           equalsIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension);
}

}  // namespace

SaveDialogTypes saveDialogTypes(int format, bool offerPng, SaveFileType lastType) {
    const bool jpeg = format == options::indexOf(options::FileFormatChoice::Jpg);
    SaveDialogTypes types{jpeg ? "JPEG|*.jpg" : "Bitmap|*.bmp", 1, jpeg ? ".jpg" : ".bmp"};
    if (!offerPng) return types;
    types.filter += "|PNG (*.png)|*.png";
    if (lastType == SaveFileType::Png) {
        types.filterIndex = kPngFilterIndex;
        types.extension = ".png";
    }
    return types;
}

SaveFileType chosenSaveFileType(std::string_view fileName, int filterIndex, int format,
                                bool offerPng) {
    if (offerPng && (endsWith(fileName, ".png") || filterIndex == kPngFilterIndex)) {
        return SaveFileType::Png;
    }
    return format == options::indexOf(options::FileFormatChoice::Jpg) ? SaveFileType::Jpg : SaveFileType::Bmp;
}

std::string mailJpegFileName(std::string_view chosen) {
    std::string name(chosen);
    if (!endsWith(chosen, ".jpg")) name += ".jpg";
    return name;
}

std::string_view saveFileTypeText(SaveFileType type) {
    switch (type) {
        case SaveFileType::Jpg:
            return "jpg";
        case SaveFileType::Png:
            return "png";
        case SaveFileType::Bmp:
            break;
    }
    return "bmp";
}

SaveFileType saveFileTypeFromText(std::string_view text) {
    if (equalsIgnoringAsciiCase(text, "png")) return SaveFileType::Png;
    if (equalsIgnoringAsciiCase(text, "jpg")) return SaveFileType::Jpg;
    return SaveFileType::Bmp;
}

}  // namespace vps
