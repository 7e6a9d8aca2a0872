// Saving a capture: the file bytes of BMP, JPEG and PNG, the writer that never leaves a broken
// file, and SaveCapture against the system Save dialog, answered from a timer as a user would.
#include <windows.h>
// These need the Windows types.
#include <commctrl.h>
#include <commdlg.h>
#include <cderr.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// After <windows.h>: this build's jconfig.h defines "boolean" the way <rpcndr.h> does, and
// jpeglib.h needs FILE declared before it.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "TestSupport.h"
#include "core/BmpFile.h"
#include "core/CaptureChoices.h"
#include "core/SaveFileType.h"
#include "output/CaptureBitmap.h"
#include "output/Clipboard.h"
#include "output/JpegEncoder.h"
#include "output/PngEncoder.h"
#include "output/SafeFileWriter.h"
#include "output/SaveCapture.h"
#include "settings/uIni.h"
#include "win/SaveDialog.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {
namespace {

using Bytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------------------------------------
// Files and folders

std::string makeTestFolder() {
    static int serial = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vps-save-" +
                               std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++serial);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Through the wide calls, so folders and files of any script are found, read and removed.
void removeTree(const std::string& path) {
    const std::wstring name = win::wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(name.c_str());
        return;
    }
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((name + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string inner = win::narrow(entry.cFileName);
            if (inner != "." && inner != "..") removeTree(path + "\\" + inner);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(name.c_str());
}

// Names in a folder, so a stray temporary file shows.
std::set<std::string> entriesOf(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(win::wide(folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = win::narrow(entry.cFileName);
        if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

Bytes readFile(const std::string& path) {
    win::FileHandle file(CreateFileW(win::wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    Bytes bytes;
    std::uint8_t chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

void writeFile(const std::string& path, const std::string& text) {
    win::FileHandle file(CreateFileW(win::wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string currentDirectory() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

// ---------------------------------------------------------------------------------------------
// Pictures

struct Rgb {
    int r, g, b;
};

// Flat 16 x 16 blocks, the size of one 4:2:0 JPEG unit, so each block's colour survives
// compression nearly unchanged. Red and blue differ everywhere: a swap of the two shows.
constexpr std::array<Rgb, 6> BlockColours = {
    Rgb{220, 30, 40},   Rgb{30, 200, 60}, Rgb{40, 50, 210},
    Rgb{250, 250, 250}, Rgb{20, 20, 20},  Rgb{200, 180, 40},
};

Rgb blockColourAt(int x, int y) {
    return BlockColours[static_cast<std::size_t>((x / 16 + 3 * (y / 16)) % 6)];
}

void paintBlocks(CaptureBitmap& bitmap) {
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            const Rgb c = blockColourAt(x, y);
            row[3 * x] = static_cast<std::uint8_t>(c.b);
            row[3 * x + 1] = static_cast<std::uint8_t>(c.g);
            row[3 * x + 2] = static_cast<std::uint8_t>(c.r);
        }
    }
}

BgrPicture pictureOf(const CaptureBitmap& bitmap) {
    return {bitmap.width(), bitmap.height(), bitmap.row(0), bitmap.stride()};
}

// Top row blue, green, red; bottom row white, black, grey.
void paintThreeByTwo(CaptureBitmap& bitmap) {
    const std::uint8_t rows[2][9] = {{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF},
                                     {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x81, 0x82}};
    std::copy_n(rows[0], 9, bitmap.row(0));
    std::copy_n(rows[1], 9, bitmap.row(1));
}

Bytes concatenated(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes ThreeByTwoBmp = concatenated({
    {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0},    // file header
    {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0},  // size, width, height, planes, bits
    {0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},   // BI_RGB, image size, resolution
    {0, 0, 0, 0, 0, 0, 0, 0},                            // colours used, important
    {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x81, 0x82, 0, 0, 0},  // the bottom row first
    {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0, 0, 0},
});

// ---------------------------------------------------------------------------------------------
// Decoding with libjpeg's decompressor

struct DecodeErrors {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

struct DecodedJpeg {
    bool ok = false;
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = true;
    bool jfif = false;
    std::array<std::array<int, 64>, 2> quantTables{};  // luminance, chrominance; natural order
    Bytes rgb;
    Rgb at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

// As in libjpeg's example: the default error_exit would end the test program.
bool decodeInto(const Bytes& file, jpeg_decompress_struct& cinfo, DecodeErrors& errors,
                DecodedJpeg& out) {
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<DecodeErrors*>(c->err)->escape, 1);
    };
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    out.components = cinfo.num_components;
    out.progressive = cinfo.progressive_mode;
    out.jfif = cinfo.saw_JFIF_marker;
    for (int t = 0; t < 2; ++t) {
        if (!cinfo.quant_tbl_ptrs[t]) continue;
        for (int i = 0; i < 64; ++i) out.quantTables[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row =
            out.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

DecodedJpeg decode(const Bytes& file) {
    DecodedJpeg out;
    jpeg_decompress_struct cinfo{};
    DecodeErrors errors{};
    out.ok = decodeInto(file, cinfo, errors, out);
    return out;
}

// The picture through libjpeg the plain way, as the encoder once did it: each row turned into
// red-green-blue order, the library's defaults at `quality`, baseline tables.
Bytes encodeFromRgbRows(const CaptureBitmap& bitmap, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(bitmap.width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> rgb(static_cast<std::size_t>(bitmap.width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* bgr = bitmap.row(static_cast<int>(cinfo.next_scanline));
        for (std::size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = bgr[i + 2];
            rgb[i + 1] = bgr[i + 1];
            rgb[i + 2] = bgr[i];
        }
        JSAMPROW row = rgb.data();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes file(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return file;
}

// The example tables of the JPEG standard (ITU T.81, Annex K), in natural order, scaled the
// way the IJG encoder scales them for a quality, limited to baseline's 8 bits.
std::array<int, 64> expectedQuantTable(int table, int quality) {
    static constexpr std::array<int, 64> luminance = {
        16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    static constexpr std::array<int, 64> chrominance = {
        17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
        99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
        99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<int, 64> scaled{};
    for (int i = 0; i < 64; ++i) {
        const int base = table == 0 ? luminance[i] : chrominance[i];
        scaled[i] = std::clamp((base * scale + 50) / 100, 1, 255);
    }
    return scaled;
}

void expectBlockColours(const DecodedJpeg& jpeg, int tolerance) {
    // The centre of every whole block; edges between blocks blur at lower qualities.
    for (int by = 0; by + 16 <= jpeg.height; by += 16) {
        for (int bx = 0; bx + 16 <= jpeg.width; bx += 16) {
            const Rgb want = blockColourAt(bx, by);
            const Rgb got = jpeg.at(bx + 8, by + 8);
            SCOPED_TRACE(testing::Message() << "block at " << bx << ", " << by);
            EXPECT_NEAR(got.r, want.r, tolerance);
            EXPECT_NEAR(got.g, want.g, tolerance);
            EXPECT_NEAR(got.b, want.b, tolerance);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Answering the system Save dialog

std::string textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win::narrow(text);
}

// The file name box: a plain edit in older dialogs, the edit of a ComboBoxEx in newer ones.
HWND fileNameEdit(HWND dialog) {
    if (HWND edit = GetDlgItem(dialog, edt1)) return edit;
    HWND combo = GetDlgItem(dialog, cmb13);
    return combo ? reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0)) : nullptr;
}

// What the user saw in the Save dialog.
struct SeenDialog {
    std::string proposedName;  // the file name box as it opened
    std::string folder;        // the folder it opened in
    std::string fileType;      // the file type box
    HWND owner = nullptr;
};

// Answers the dialogs titled "Save Picture" that this thread shows while it lives: in the Save
// dialog it types `answer` and presses Save (or presses Cancel when `answer` is empty); a
// question whether to replace a file is answered Yes. Checked from a thread timer, so it runs
// inside the dialog's own message loop.
class SaveDialogAnswerer {
public:
    // `typeEntry`, from 1, is the file type the user picks before typing; 0 leaves it.
    explicit SaveDialogAnswerer(std::string answer, int typeEntry = 0)
        : answer_(std::move(answer)), typeEntry_(typeEntry) {
        active = this;
        timer_ = SetTimer(nullptr, 0, 30, check);
    }
    SaveDialogAnswerer(const SaveDialogAnswerer&) = delete;
    SaveDialogAnswerer& operator=(const SaveDialogAnswerer&) = delete;
    ~SaveDialogAnswerer() {
        KillTimer(nullptr, timer_);
        active = nullptr;
    }

    const std::vector<SeenDialog>& dialogs() const { return dialogs_; }
    int replaceQuestions() const { return replaceQuestions_; }

private:
    static BOOL CALLBACK visit(HWND window, LPARAM) {
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) != "#32770" || textOf(window) != "Save Picture" ||
            !IsWindowVisible(window) || !IsWindowEnabled(window) ||
            GetPropA(window, "vpsAnswered")) {
            return TRUE;
        }
        SetPropA(window, "vpsAnswered", window);
        active->answer(window);
        return TRUE;
    }

    static void CALLBACK check(HWND, UINT, UINT_PTR, DWORD) {
        if (active) EnumThreadWindows(GetCurrentThreadId(), visit, 0);
    }

    void answer(HWND dialog) {
        if (HWND yes = GetDlgItem(dialog, IDYES); yes && !fileNameEdit(dialog)) {
            ++replaceQuestions_;
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                         reinterpret_cast<LPARAM>(yes));
            return;
        }
        SeenDialog seen;
        seen.proposedName = textOf(fileNameEdit(dialog));
        wchar_t folder[MAX_PATH] = {};
        SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
        seen.folder = win::narrow(folder);
        seen.fileType = textOf(GetDlgItem(dialog, cmb1));
        seen.owner = GetWindow(dialog, GW_OWNER);
        dialogs_.push_back(seen);
        if (typeEntry_ > 0) {
            HWND types = GetDlgItem(dialog, cmb1);
            SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(typeEntry_ - 1), 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK),
                         reinterpret_cast<LPARAM>(types));
        }
        if (answer_.empty()) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        } else {
            SetWindowTextW(fileNameEdit(dialog), win::wide(answer_).c_str());
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        }
    }

    static inline SaveDialogAnswerer* active = nullptr;
    std::string answer_;
    int typeEntry_;
    UINT_PTR timer_ = 0;
    std::vector<SeenDialog> dialogs_;
    int replaceQuestions_ = 0;
};

// A fresh folder for each test, also made the current directory; both undone afterwards.
class SaveTest : public testing::Test {
public:
    std::string folder = makeTestFolder();
    std::string previousDirectory = currentDirectory();
    win::SaveDialog dialog{"SaveDialog"};

    void SetUp() override { ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str())); }
    void TearDown() override {
        SetCurrentDirectoryA(previousDirectory.c_str());
        removeTree(folder);
    }

    std::string in(const std::string& name) const { return folder + "\\" + name; }
    std::string subfolder(const std::string& name) const {
        CreateDirectoryW(win::wide(in(name)).c_str(), nullptr);
        return in(name);
    }
};

// ---------------------------------------------------------------------------------------------
// The BMP file

TEST_F(SaveTest, BmpFileHoldsExactlyThePictureAndWindowsReadsItBack) {
    CaptureBitmap bitmap(3, 2);
    paintThreeByTwo(bitmap);
    const std::string target = in("picture.bmp");
    SaveDialogAnswerer answerer(target);

    EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 0, 0, "Print Screen"), target);

    EXPECT_EQ(readFile(target), ThreeByTwoBmp);
    // The system's own reader, as a second opinion on the format.
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(nullptr, target.c_str(), IMAGE_BITMAP, 0, 0,
                                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_TRUE(loaded);
    DIBSECTION section{};
    ASSERT_TRUE(GetObjectA(loaded, sizeof section, &section));
    EXPECT_EQ(section.dsBm.bmWidth, 3);
    EXPECT_EQ(section.dsBm.bmHeight, 2);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);  // bottom-up
    EXPECT_EQ(Bytes(bits, bits + 9), Bytes(bitmap.row(1), bitmap.row(1) + 9));
    EXPECT_EQ(Bytes(bits + 12, bits + 21), Bytes(bitmap.row(0), bitmap.row(0) + 9));
    DeleteObject(loaded);
}

TEST_F(SaveTest, BmpDialogIsTitledFilteredAndRemembersTheChosenFolder) {
    CaptureBitmap bitmap(101, 3);
    paintBlocks(bitmap);
    const std::string pictures = subfolder("Pictures");
    const std::string target = pictures + "\\shot.bmp";
    HWND owner = CreateWindowA("STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    SaveDialogAnswerer answerer(target);

    EXPECT_EQ(SaveCapture(owner, dialog, bitmap, 0, 0, "Print Screen"), target);

    ASSERT_EQ(answerer.dialogs().size(), 1u);
    EXPECT_EQ(answerer.dialogs()[0].fileType, "Bitmap");
    EXPECT_EQ(answerer.dialogs()[0].owner, owner);
    EXPECT_EQ(dialog.Title, "Save Picture");
    EXPECT_EQ(dialog.DefaultExt, "bmp");
    EXPECT_EQ(dialog.InitialDir, pictures + "\\");
    const Bytes file = readFile(target);
    EXPECT_EQ(file.size(), 54u + 304u * 3) << "rows of 101 pixels take 304 bytes";
    EXPECT_EQ(file, BmpFileBytes(pictureOf(bitmap)));
    DestroyWindow(owner);
}

TEST_F(SaveTest, BmpProposalIsTheFirstFreeFileNameInTheCurrentDirectory) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        std::string base;
        std::string proposal;
    } cases[] = {
        {"nothing there", {}, {}, "Print Screen", "Print Screen.bmp"},
        {"two taken",
         {"Print Screen.bmp", "Print Screen001.bmp"},
         {},
         "Print Screen",
         "Print Screen002.bmp"},
        {"only the numbered one taken",
         {"Print Screen001.bmp"},
         {},
         "Print Screen",
         "Print Screen.bmp"},
        {"a folder of that name", {}, {"Print Screen.bmp"}, "Print Screen", "Print Screen.bmp"},
        {"a cleaned window title", {}, {}, "Report Q1Q2 final", "Report Q1Q2 final.bmp"},
        {"an empty window title, taken", {".bmp"}, {}, "", "001.bmp"},
    };
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string here = subfolder(std::string("case ") + std::to_string(&c - cases));
        ASSERT_TRUE(SetCurrentDirectoryA(here.c_str()));
        for (const auto& f : c.files) writeFile(here + "\\" + f, "taken");
        for (const auto& f : c.folders) CreateDirectoryA((here + "\\" + f).c_str(), nullptr);
        // The remembered folder has no say in a BMP proposal.
        dialog.InitialDir = folder + "\\";
        SaveDialogAnswerer cancel("");

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 0, 0, c.base), "");

        ASSERT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(cancel.dialogs()[0].proposedName, c.proposal);
    }
}

// ---------------------------------------------------------------------------------------------
// The JPEG file

TEST(JpegEncoder, DecodesToTheSameSizeAndColours) {
    struct Case {
        int width;
        int height;
    } cases[] = {{1, 1}, {50, 34}, {16, 16}, {33, 1}, {1, 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        CaptureBitmap bitmap(c.width, c.height);
        paintBlocks(bitmap);
        const Bytes file = EncodeJpeg(pictureOf(bitmap), 90);
        const DecodedJpeg jpeg = decode(file);
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.width, c.width);
        EXPECT_EQ(jpeg.height, c.height);
        EXPECT_EQ(jpeg.components, 3);
        EXPECT_TRUE(jpeg.jfif);
        EXPECT_FALSE(jpeg.progressive);
        const Rgb corner = jpeg.at(0, 0);
        EXPECT_NEAR(corner.r, BlockColours[0].r, 12);
        EXPECT_NEAR(corner.g, BlockColours[0].g, 12);
        EXPECT_NEAR(corner.b, BlockColours[0].b, 12);
        expectBlockColours(jpeg, 8);
    }
}

TEST(JpegEncoder, IsBaselineJfifWithTheTablesOfItsQuality) {
    CaptureBitmap bitmap(48, 32);
    paintBlocks(bitmap);
    for (int quality : {10, 25, 50, 75, 90}) {
        SCOPED_TRACE(quality);
        const Bytes file = EncodeJpeg(pictureOf(bitmap), quality);
        ASSERT_GT(file.size(), 20u);
        EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{0xFF, 0xD8, 0xFF, 0xE0}));
        EXPECT_EQ(std::string(file.begin() + 6, file.begin() + 11), std::string("JFIF\0", 5));
        const Bytes baselineFrame = {0xFF, 0xC0};
        EXPECT_NE(std::search(file.begin(), file.end(), baselineFrame.begin(), baselineFrame.end()),
                  file.end());
        const DecodedJpeg jpeg = decode(file);
        ASSERT_TRUE(jpeg.ok);
        EXPECT_FALSE(jpeg.progressive);
        EXPECT_EQ(jpeg.quantTables[0], expectedQuantTable(0, quality));
        EXPECT_EQ(jpeg.quantTables[1], expectedQuantTable(1, quality));
    }
}

// The encoder hands the capture's blue-green-red rows to the library as they are; the files must
// stay those of the plain encode, byte for byte, at every quality of the slider. A width whose
// rows are padded and a height that ends inside a block row.
TEST(JpegEncoder, BlueGreenRedInputChangesNoByteOfTheFile) {
    CaptureBitmap bitmap(37, 29);
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 7 + y * 3);
            row[3 * x + 1] = static_cast<std::uint8_t>((x * y) ^ 0x5A);
            row[3 * x + 2] = static_cast<std::uint8_t>(255 - x * 5 - y);
        }
    }
    for (int quality : {10, 25, 50, 75, 90}) {
        SCOPED_TRACE(quality);
        EXPECT_EQ(EncodeJpeg(pictureOf(bitmap), quality), encodeFromRgbRows(bitmap, quality));
    }
}

// Noise at the highest quality makes a file larger than the encoder's first buffer, which must
// then grow without losing or repeating a byte.
TEST(JpegEncoder, FileLargerThanTheFirstBufferKeepsEveryByte) {
    CaptureBitmap bitmap(128, 128);
    std::uint32_t state = 12345;
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int i = 0; i < bitmap.width() * 3; ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = static_cast<std::uint8_t>(state >> 24);
        }
    }
    const Bytes file = EncodeJpeg(pictureOf(bitmap), 100);
    // The first buffer holds half the picture's bytes and a few KB more.
    ASSERT_GT(file.size(), 128u * 128u * 3u / 2u + 4096u) << "the picture no longer outgrows it";
    EXPECT_EQ(file, encodeFromRgbRows(bitmap, 100));
}

// The encoder's own failure must come back as an exception, not end the process as libjpeg's
// default error handler would.
TEST(JpegEncoder, FailureOfTheEncoderIsRaisedWithItsMessage) {
    const Bytes wideRow(70000 * 3, 0x80);
    try {
        EncodeJpeg({70000, 1, wideRow.data(), static_cast<std::ptrdiff_t>(wideRow.size())}, 75);
        ADD_FAILURE() << "no error raised";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("65500"), std::string::npos) << error.what();
    }
    // The failed attempt left nothing behind that spoils the next one.
    const std::uint8_t pixel[3] = {10, 20, 30};
    EXPECT_TRUE(decode(EncodeJpeg({1, 1, pixel, 3}, 75)).ok);
}

TEST_F(SaveTest, JpegQualityPositionChoosesTheEncoderQuality) {
    struct Case {
        int position;
        int quality;
    } cases[] = {{2, 50}, {4, 90}, {0, 10}};
    CaptureBitmap bitmap(50, 34);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        const std::string target = in("quality " + std::to_string(c.position) + ".jpg");
        SaveDialogAnswerer answerer(target);

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 1, c.position, "Print Screen"), target);

        ASSERT_EQ(answerer.dialogs().size(), 1u);
        EXPECT_EQ(answerer.dialogs()[0].fileType, "JPEG");
        const DecodedJpeg jpeg = decode(readFile(target));
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.width, 50);
        EXPECT_EQ(jpeg.height, 34);
        EXPECT_EQ(jpeg.quantTables[0], expectedQuantTable(0, c.quality));
        EXPECT_EQ(jpeg.quantTables[1], expectedQuantTable(1, c.quality));
        if (c.quality >= 50) expectBlockColours(jpeg, 12);
    }
}

TEST_F(SaveTest, JpegProposalLooksInTheRememberedFolder) {
    const std::string remembered = subfolder("remembered");
    writeFile(remembered + "\\Print Screen.jpg", "taken");
    // A file of the first name in the current directory must not matter when a folder is
    // remembered, and matters when none is.
    const std::string current = subfolder("current");
    writeFile(current + "\\Print Screen.jpg", "taken");
    writeFile(current + "\\Print Screen001.jpg", "taken");
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    CaptureBitmap bitmap(8, 8);
    paintBlocks(bitmap);

    dialog.InitialDir = remembered + "\\";
    {
        SaveDialogAnswerer cancel("");
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 1, 3, "Print Screen"), "");
        ASSERT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(cancel.dialogs()[0].proposedName, "Print Screen001.jpg");
        EXPECT_EQ(cancel.dialogs()[0].folder, remembered);
    }
    // The dialog moves the current directory to the folder it showed.
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    dialog.InitialDir = "";
    {
        SaveDialogAnswerer cancel("");
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 1, 3, "Print Screen"), "");
        ASSERT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(cancel.dialogs()[0].proposedName, "Print Screen002.jpg");
    }
}

// ---------------------------------------------------------------------------------------------
// PNG

// The picture of a PNG file as the system's imaging component (WIC) decodes it, in blue-green-
// red rows without padding: a decoder apart from the program's encoder.
struct DecodedPng {
    UINT width = 0, height = 0;
    Bytes bgr;
};

DecodedPng decodePng(const Bytes& file) {
    DecodedPng decoded;
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const win::ScopeExit uninitialise([initialised] {
        if (SUCCEEDED(initialised)) CoUninitialize();
    });
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    const win::ScopeExit release([&] {
        for (IUnknown* object :
             std::initializer_list<IUnknown*>{converter, frame, decoder, stream, factory})
            if (object) object->Release();
    });
    GUID format{};
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()),
                                            static_cast<DWORD>(file.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                &decoder)) ||
        FAILED(decoder->GetContainerFormat(&format)) || format != GUID_ContainerFormatPng ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(frame->GetSize(&decoded.width, &decoded.height)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom))) {
        ADD_FAILURE() << "the imaging component does not read the file as a PNG";
        return {};
    }
    decoded.bgr.resize(static_cast<std::size_t>(decoded.width) * decoded.height * 3);
    if (FAILED(converter->CopyPixels(nullptr, decoded.width * 3,
                                     static_cast<UINT>(decoded.bgr.size()), decoded.bgr.data()))) {
        ADD_FAILURE() << "the imaging component cannot decode the pixels";
        return {};
    }
    return decoded;
}

Bytes pixelsOf(const CaptureBitmap& bitmap) {
    Bytes bgr;
    for (int y = 0; y < bitmap.height(); ++y)
        bgr.insert(bgr.end(), bitmap.row(y), bitmap.row(y) + bitmap.width() * 3);
    return bgr;
}

// Fine noise over flat blocks: every byte counts, and a row that is filtered or unfiltered
// wrongly shows at once.
void paintNoisyBlocks(CaptureBitmap& bitmap) {
    paintBlocks(bitmap);
    std::uint32_t noise = 2024;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width() * 3; ++x) {
            noise = noise * 1103515245u + 12345u;
            if ((noise >> 20) % 7 == 0) bitmap.row(y)[x] = static_cast<std::uint8_t>(noise >> 24);
        }
    }
}

TEST(PngEncoder, DecodesToExactlyThePictureInTheSystemsDecoder) {
    for (const auto& [width, height] :
         {std::pair{1, 1}, std::pair{3, 2}, std::pair{101, 37}, std::pair{640, 48}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        CaptureBitmap bitmap(width, height);
        paintNoisyBlocks(bitmap);
        const DecodedPng decoded = decodePng(EncodePng(pictureOf(bitmap)));
        EXPECT_EQ(decoded.width, static_cast<UINT>(width));
        EXPECT_EQ(decoded.height, static_cast<UINT>(height));
        EXPECT_TRUE(decoded.bgr == pixelsOf(bitmap)) << "the decoded pixels differ";
    }
}

// A fresh settings file, so no PNG choice of an earlier test is remembered.
class PngSaveTest : public SaveTest {
public:
    test::FreshSettingsFile settings;
};

TEST_F(PngSaveTest, PngByItsTypeOrItsNameInBothModesHoldsExactlyThePicture) {
    struct Case {
        const char* what;
        int format;
        std::string answer;
        int typeEntry;
        std::string expectedFile;
    } cases[] = {
        {"BMP mode, name ending in .png", 0, in("named.png"), 0, in("named.png")},
        {"JPEG mode, name ending in .PNG", 1, in("upper.PNG"), 0, in("upper.PNG")},
        {"BMP mode, PNG type picked, no extension typed", 0, in("picked"), 2, in("picked.png")},
        {"JPEG mode, PNG type picked, no extension typed", 1, in("chosen"), 2, in("chosen.png")},
    };
    CaptureBitmap bitmap(67, 29);
    paintNoisyBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteString("SaveDialog", "FileType", "bmp");
        SaveDialogAnswerer answerer(c.answer, c.typeEntry);

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, c.format, 3, "Print Screen", true),
                  c.expectedFile);

        ASSERT_EQ(answerer.dialogs().size(), 1u);
        EXPECT_EQ(answerer.dialogs()[0].fileType, c.format == 0 ? "Bitmap" : "JPEG");
        const DecodedPng decoded = decodePng(readFile(c.expectedFile));
        EXPECT_EQ(decoded.width, 67u);
        EXPECT_TRUE(decoded.bgr == pixelsOf(bitmap)) << "the decoded pixels differ";
        EXPECT_EQ(ReadString("SaveDialog", "FileType"), "png");
    }
}

TEST_F(PngSaveTest, LastTypeIsRememberedAndProposesAFreePngNameInTheRememberedFolder) {
    CaptureBitmap bitmap(8, 8);
    paintBlocks(bitmap);
    const std::string remembered = subfolder("remembered");
    writeFile(remembered + "\\Print Screen.png", "taken");
    dialog.InitialDir = remembered + "\\";
    {
        SaveDialogAnswerer cancel("");
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 1, 3, "Print Screen", true), "");
        ASSERT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(cancel.dialogs()[0].fileType, "JPEG") << "nothing remembered yet";
        EXPECT_EQ(cancel.dialogs()[0].proposedName, "Print Screen.jpg");
    }
    {
        SaveDialogAnswerer answerer(remembered + "\\shot.png");
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 1, 3, "Print Screen", true),
                  remembered + "\\shot.png");
    }
    for (int format : {1, 0}) {
        SCOPED_TRACE(format);
        // BMP's proposal looks in the current directory, which the dialog left in that folder.
        SaveDialogAnswerer cancel("");
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, format, 3, "Print Screen", true), "");
        ASSERT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(cancel.dialogs()[0].fileType, "PNG (*.png)");
        EXPECT_EQ(cancel.dialogs()[0].proposedName, "Print Screen001.png");
        EXPECT_EQ(cancel.dialogs()[0].folder, remembered);
    }
    // Back to the mode's own type: remembered too.
    {
        SaveDialogAnswerer answerer(remembered + "\\again", 1);
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 0, 3, "Print Screen", true),
                  remembered + "\\again.bmp");
    }
    EXPECT_EQ(ReadString("SaveDialog", "FileType"), "bmp");
    EXPECT_EQ(readFile(remembered + "\\again.bmp"), BmpFileBytes(pictureOf(bitmap)));
}

TEST_F(PngSaveTest, MailsJpegIsNeverOfferedPng) {
    WriteString("SaveDialog", "FileType", "png");
    CaptureBitmap bitmap(8, 8);
    paintBlocks(bitmap);
    SaveDialogAnswerer cancel("");
    EXPECT_EQ(SaveMailJpeg(nullptr, dialog, bitmap, 3, "Print Screen"), "");
    ASSERT_EQ(cancel.dialogs().size(), 1u);
    EXPECT_EQ(cancel.dialogs()[0].fileType, "JPEG");
    EXPECT_EQ(dialog.Filter, "JPEG|*.jpg");
    EXPECT_EQ(cancel.dialogs()[0].proposedName, "Print Screen.jpg");
}

// The mail's dialog offers no PNG, yet a name typed with ".png" once wrote and mailed a PNG.
TEST_F(PngSaveTest, MailsJpegIsAJpegUnderAJpgNameWhateverIsTyped) {
    WriteString("SaveDialog", "FileType", "png");
    struct Case {
        const char* typed;
        const char* written;
    } cases[] = {
        {"shot.png", "shot.png.jpg"},
        {"shot.bmp", "shot.bmp.jpg"},
        {"bare", "bare.jpg"},
        {"upper.JPG", "upper.JPG"},
        {"spaces.png   ", "spaces.png.jpg"},
    };
    CaptureBitmap bitmap(32, 16);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SaveDialogAnswerer answerer(in(c.typed));

        EXPECT_EQ(SaveMailJpeg(nullptr, dialog, bitmap, 4, "Print Screen"), in(c.written));

        const DecodedJpeg jpeg = decode(readFile(in(c.written)));
        EXPECT_TRUE(jpeg.ok) << "not a JPEG";
        EXPECT_EQ(jpeg.width, 32);
        EXPECT_EQ(entriesOf(folder).count(c.typed), std::string(c.typed) == c.written ? 1u : 0u);
        removeTree(in(c.written));
    }
    EXPECT_EQ(ReadString("SaveDialog", "FileType"), "png") << "the mail keeps no type";
}

// Windows drops trailing spaces and dots from a name; the dialog did not, found no extension in
// "spaces.bmp   " and appended its own: the picture landed in "spaces.bmp   .bmp".
TEST_F(PngSaveTest, TrailingSpacesAndDotsOfATypedNameAreDropped) {
    struct Case {
        const char* typed;
        int format;
        const char* written;
        SaveFileType type;
    } cases[] = {
        {"spaces.bmp   ", 0, "spaces.bmp", SaveFileType::Bmp},
        {"spaces   ", 0, "spaces.bmp", SaveFileType::Bmp},
        {"dots.", 0, "dots", SaveFileType::Bmp},
        {"shot.png  ", 0, "shot.png", SaveFileType::Png},
        {"photo.jpg ", 1, "photo.jpg", SaveFileType::Jpg},
    };
    CaptureBitmap bitmap(16, 16);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        WriteString("SaveDialog", "FileType", "bmp");
        SaveDialogAnswerer answerer(in(c.typed));

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, c.format, 3, "Print Screen", true), in(c.written));

        EXPECT_EQ(entriesOf(folder), std::set<std::string>{c.written});
        const Bytes file = readFile(in(c.written));
        switch (c.type) {
            case SaveFileType::Bmp: EXPECT_EQ(file, BmpFileBytes(pictureOf(bitmap))); break;
            case SaveFileType::Png: EXPECT_EQ(decodePng(file).width, 16u); break;
            case SaveFileType::Jpg: EXPECT_TRUE(decode(file).ok); break;
        }
        removeTree(in(c.written));
    }
}

// The picture first, then the settings: a settings file that cannot be written once ended the
// save after the user chose the name, with the picture never written.
TEST_F(PngSaveTest, ASettingsFileThatCannotBeWrittenLosesNoPicture) {
    // A folder where the file should be: no write can succeed, even for an administrator.
    const std::string settingsPath = test::FreshSettingsFile::path();
    ASSERT_TRUE(CreateDirectoryA(settingsPath.c_str(), nullptr));
    const win::ScopeExit removeFolder([&] { RemoveDirectoryA(settingsPath.c_str()); });
    struct Case {
        const char* typed;
        int typeEntry;
        const char* written;
    } cases[] = {{"shot.bmp", 0, "shot.bmp"}, {"picked", 2, "picked.png"}};
    CaptureBitmap bitmap(8, 8);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        test::RecordedErrors errors;
        SaveDialogAnswerer answerer(in(c.typed), c.typeEntry);

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 0, 0, "Print Screen", true), in(c.written));

        EXPECT_EQ(entriesOf(folder), std::set<std::string>{c.written});
        EXPECT_FALSE(readFile(in(c.written)).empty());
        EXPECT_EQ(errors.messages(), std::vector<std::string>{"Unable to write to " + SettingsFileName()});
        EXPECT_EQ(dialog.InitialDir, folder + "\\");
        removeTree(in(c.written));
    }
}

// ---------------------------------------------------------------------------------------------
// Cancel, unknown formats

TEST_F(SaveTest, CancelWritesNothingAndKeepsTheRememberedFolder) {
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    const std::string remembered = subfolder("remembered") + "\\";
    for (int format : {0, 1}) {
        SCOPED_TRACE(format);
        dialog.InitialDir = remembered;
        const auto before = entriesOf(folder);
        SaveDialogAnswerer cancel("");

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, format, 2, "Print Screen"), "");

        EXPECT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(dialog.InitialDir, remembered);
        EXPECT_EQ(entriesOf(folder), before);
        EXPECT_TRUE(entriesOf(remembered).empty());
    }
}

TEST_F(SaveTest, UnknownFormatShowsNoDialogAndSavesNothing) {
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    for (int format : {-1, 2, 7}) {
        SCOPED_TRACE(format);
        dialog.InitialDir = folder + "\\";
        dialog.FileName = "untouched";
        SaveDialogAnswerer cancel("");

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, format, 2, "Print Screen"), "");

        EXPECT_TRUE(cancel.dialogs().empty());
        EXPECT_EQ(dialog.FileName, "untouched");
        EXPECT_EQ(dialog.InitialDir, folder + "\\");
        EXPECT_TRUE(entriesOf(folder).empty());
    }
}

// ---------------------------------------------------------------------------------------------
// A Save dialog that fails

// Stands in for the system's dialog: answers each showing from a script (a name, a cancel, or a
// failure with an extended error) and records what it was handed. A name longer than the buffer
// fails as the system's dialog fails.
class ScriptedSaveDialog : public win::SaveDialog {
public:
    struct Answer {
        bool ok = false;
        DWORD error = 0;
        std::string name = "C:\\chosen\\Print Screen.bmp";
    };
    explicit ScriptedSaveDialog(std::vector<Answer> answers)
        : SaveDialog("SaveDialog"), answers_(std::move(answers)) {}

    std::vector<std::string> initialFolders;
    std::vector<std::string> proposals;
    std::vector<std::wstring> proposalUnits;  // the proposals as the dialog got them
    DWORD bufferSize = 0;

protected:
    bool runDialog(OPENFILENAMEW& dialog, DWORD& error) override {
        initialFolders.emplace_back(dialog.lpstrInitialDir ? win::narrow(dialog.lpstrInitialDir) : "(none)");
        const std::wstring_view proposal(dialog.lpstrFile, wcsnlen(dialog.lpstrFile, dialog.nMaxFile));
        proposals.push_back(win::narrow(proposal));
        proposalUnits.emplace_back(proposal);
        bufferSize = dialog.nMaxFile;
        const Answer answer = initialFolders.size() <= answers_.size() ? answers_[initialFolders.size() - 1]
                                                                        : Answer{};
        error = answer.error;
        if (!answer.ok) return false;
        const std::wstring name = win::wide(answer.name);
        if (name.size() >= dialog.nMaxFile) {
            // https://learn.microsoft.com/windows/win32/api/commdlg/ns-commdlg-openfilenamew
            *reinterpret_cast<WORD*>(dialog.lpstrFile) = static_cast<WORD>(name.size() + 1);
            error = FNERR_BUFFERTOOSMALL;
            return false;
        }
        std::copy_n(name.c_str(), name.size() + 1, dialog.lpstrFile);
        return true;
    }

private:
    std::vector<Answer> answers_;
};

TEST(SaveDialog, AFailureIsRetriedOnceWithoutTheInitialFolderAndNeverTakenForCancel) {
    using Answer = ScriptedSaveDialog::Answer;
    const Answer kOk{true, 0}, kCancel{false, 0}, kBadFolder{false, FNERR_INVALIDFILENAME},
        kBroken{false, CDERR_INITIALIZATION}, kTooLong{false, FNERR_BUFFERTOOSMALL};
    const std::string failed = "The Save dialog failed (error ";
    const std::string tooLong =
        "The name chosen in the Save dialog is longer than a file name can be.\r\nPlease choose a shorter name.";
    enum class Outcome { Chosen, Cancelled, Raised };
    struct Case {
        const char* what;
        const char* initialDir;
        std::vector<Answer> answers;
        Outcome outcome;
        std::vector<std::string> foldersTried;
        std::string message = "";
    } cases[] = {
        {"a plain OK", "C:\\pictures", {kOk}, Outcome::Chosen, {"C:\\pictures"}},
        {"a plain cancel is not retried", "C:\\pictures", {kCancel}, Outcome::Cancelled, {"C:\\pictures"}},
        {"a refused folder, then OK", "Q:\\<edited>", {kBadFolder, kOk}, Outcome::Chosen,
         {"Q:\\<edited>", "(none)"}},
        {"a refused folder, then cancel", "Q:\\<edited>", {kBadFolder, kCancel}, Outcome::Cancelled,
         {"Q:\\<edited>", "(none)"}},
        {"failing with and without the folder", "Q:\\<edited>", {kBadFolder, kBroken}, Outcome::Raised,
         {"Q:\\<edited>", "(none)"}, failed + std::to_string(CDERR_INITIALIZATION) + ")."},
        {"failing without a folder to leave out", "", {kBroken}, Outcome::Raised, {"(none)"},
         failed + std::to_string(CDERR_INITIALIZATION) + ")."},
        // Once retried without the folder, then reported as "error 12291".
        {"a name too long for the buffer is no fault of the folder", "C:\\pictures", {kTooLong, kOk},
         Outcome::Raised, {"C:\\pictures"}, tooLong},
        {"a name too long after a refused folder", "Q:\\<edited>", {kBadFolder, kTooLong}, Outcome::Raised,
         {"Q:\\<edited>", "(none)"}, tooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSaveDialog dialog(c.answers);
        dialog.InitialDir = c.initialDir;
        dialog.FileName = "Print Screen.bmp";
        if (c.outcome == Outcome::Raised) {
            try {
                dialog.execute(nullptr);
                ADD_FAILURE() << "a failing dialog must raise";
            } catch (const std::runtime_error& error) {
                EXPECT_EQ(std::string(error.what()), c.message);
            }
        } else {
            EXPECT_EQ(dialog.execute(nullptr), c.outcome == Outcome::Chosen);
        }
        EXPECT_EQ(dialog.initialFolders, c.foldersTried);
        if (c.outcome == Outcome::Chosen) {
            EXPECT_EQ(dialog.FileName, "C:\\chosen\\Print Screen.bmp");
        }
    }
}

// The dialog gets a buffer for the longest path there is, in UTF-16 units, and never a proposal
// longer than that buffer or cut between the two halves of a character beyond U+FFFF.
TEST(SaveDialog, TheBufferHoldsTheLongestPathAndTheProposalFitsIt) {
    std::string euros = "C:\\";
    for (std::size_t units = 3; units < 32767; ++units) euros += "\xE2\x82\xAC";  // 1 unit each
    ScriptedSaveDialog dialog({{true, 0, euros}});
    std::string proposal;
    for (int i = 0; i < 20000; ++i) proposal += "\xF0\x9F\x93\xB7";  // a camera: 2 units each
    dialog.FileName = proposal;

    ASSERT_TRUE(dialog.execute(nullptr));

    EXPECT_EQ(dialog.FileName, euros) << "the longest answer was cut or refused";
    ASSERT_EQ(dialog.proposals.size(), 1u);
    const std::wstring& units = dialog.proposalUnits[0];
    EXPECT_LT(units.size(), dialog.bufferSize);
    EXPECT_GE(units.size() + 2, dialog.bufferSize) << "cut shorter than it had to be";
    ASSERT_FALSE(units.empty());
    EXPECT_FALSE(IS_HIGH_SURROGATE(units.back())) << "cut inside a character";
    EXPECT_EQ(dialog.proposals[0], proposal.substr(0, dialog.proposals[0].size()));
}

// A stored folder of 1,000 characters was handed to the system's dialog, which copied it into a
// buffer of MAX_PATH characters and crashed every BMP save.
TEST_F(SaveTest, AFolderLongerThanAPathCanHoldIsNeverHandedToTheDialog) {
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    for (int format : {0, 1}) {
        SCOPED_TRACE(format);
        ScriptedSaveDialog scripted({{false, 0}});
        scripted.InitialDir = "C:\\" + std::string(1000, 'd') + "\\";

        EXPECT_EQ(SaveCapture(nullptr, scripted, bitmap, format, 2, "Print Screen"), "");

        EXPECT_EQ(scripted.initialFolders, std::vector<std::string>{"(none)"});
        EXPECT_EQ(scripted.proposals, std::vector<std::string>{format == 0 ? "Print Screen.bmp" : "Print Screen.jpg"});
    }
}

// The dialog asked before replacing the name it gave back; the name the picture is written under
// may be another, which may be taken: the dialog then shows that name again, and asks about it.
TEST_F(SaveTest, ANameMadeOfTheChosenOneThatIsTakenIsShownAgain) {
    using Answer = ScriptedSaveDialog::Answer;
    struct Case {
        const char* what;
        bool mail;
        std::string taken;
        std::vector<Answer> answers;
        std::string result;
    } cases[] = {
        {"trailing spaces, then taken", false, "spaces.bmp",
         {{true, 0, in("spaces.bmp   .bmp")}, {true, 0, in("spaces.bmp")}}, in("spaces.bmp")},
        {"trailing spaces, then cancelled", false, "spaces.bmp",
         {{true, 0, in("spaces.bmp   .bmp")}, {false, 0}}, ""},
        {"the mail's name, then taken", true, "shot.png.jpg",
         {{true, 0, in("shot.png")}, {true, 0, in("shot.png.jpg")}}, in("shot.png.jpg")},
    };
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(in(c.taken), "old picture");
        ScriptedSaveDialog scripted(c.answers);

        EXPECT_EQ(c.mail ? SaveMailJpeg(nullptr, scripted, bitmap, 2, "Print Screen")
                         : SaveCapture(nullptr, scripted, bitmap, 0, 2, "Print Screen"),
                  c.result);

        ASSERT_EQ(scripted.proposals.size(), 2u);
        EXPECT_EQ(scripted.proposals[1], in(c.taken));
        EXPECT_EQ(readFile(in(c.taken)) == bytesOf("old picture"), c.result.empty());
        EXPECT_EQ(entriesOf(folder), std::set<std::string>{c.taken});
        removeTree(in(c.taken));
    }
}

TEST_F(SaveTest, SaveAsFileReportsAFailingDialogAndWritesNothing) {
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    using Answer = ScriptedSaveDialog::Answer;
    ScriptedSaveDialog failing(
        std::vector<Answer>{{false, FNERR_INVALIDFILENAME}, {false, FNERR_INVALIDFILENAME}});
    failing.InitialDir = folder + "\\";
    EXPECT_THROW(SaveCapture(nullptr, failing, bitmap, 0, 2, "Print Screen"), std::runtime_error);
    EXPECT_EQ(failing.InitialDir, folder + "\\");
    EXPECT_TRUE(entriesOf(folder).empty());
}

// ---------------------------------------------------------------------------------------------
// Writing safely

TEST_F(SaveTest, SafeWriterCreatesOrReplacesTheFileAndLeavesNothingElse) {
    struct Case {
        const char* what;
        const char* before;  // nullptr: no file yet
        std::string contents;
    } cases[] = {
        {"new file", nullptr, "fresh contents"},
        {"longer old file", "old contents that are longer than the new ones", "short"},
        {"shorter old file", "old", "new and longer contents"},
        {"empty new contents", "old", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string target = in("target.bin");
        removeTree(target);
        if (c.before) writeFile(target, c.before);

        WriteFileSafely(target, bytesOf(c.contents));

        EXPECT_EQ(readFile(target), bytesOf(c.contents));
        EXPECT_EQ(entriesOf(folder), std::set<std::string>{"target.bin"});
    }
}

TEST_F(SaveTest, SafeWriterFailureKeepsWhatWasThereAndLeavesNoTemporaryFile) {
    struct Case {
        const char* what;
        std::string target;
        std::function<void()> arrange;
        std::function<void()> release;
        // The system's reason the message must give; 0 where any will do.
        DWORD code = 0;
    };
    const std::string existing = in("existing.bmp");
    HANDLE holder = INVALID_HANDLE_VALUE;
    // As long as a folder can be (MAX_PATH - 12): room for the file, none for a temporary name
    // beside it. Wine made one all the same, past its buffer of MAX_PATH characters, and handed
    // back a name cut to MAX_PATH: the temporary file was left behind.
    const std::string deep = in(std::string(MAX_PATH - 12 - folder.size() - 1, 'd'));
    const Case cases[] = {
        // Not "the directory name is invalid", which would blame the user's typing.
        {"a folder that does not exist", in("missing\\x.bmp"), [] {}, [] {}, ERROR_PATH_NOT_FOUND},
        {"a name no file may have", in("bad|name.bmp"), [] {}, [] {}, ERROR_INVALID_NAME},
        {"a target that is a folder", in("a folder.bmp"),
         [&] { CreateDirectoryA(in("a folder.bmp").c_str(), nullptr); }, [] {}},
        {"a read-only file", existing,
         [&] {
             writeFile(existing, "old picture");
             SetFileAttributesA(existing.c_str(), FILE_ATTRIBUTE_READONLY);
         },
         [&] { SetFileAttributesA(existing.c_str(), FILE_ATTRIBUTE_NORMAL); }},
        {"a file another program holds open", existing,
         [&] {
             writeFile(existing, "old picture");
             holder = CreateFileA(existing.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
         },
         [&] { CloseHandle(holder); }},
        {"a folder too deep for a temporary name", deep + "\\x.bmp",
         [&] { ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)); }, [] {}, ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        removeTree(existing);
        c.arrange();
        const auto entriesBefore = entriesOf(folder);
        // Where a temporary file would be left: beside the target.
        const std::string targetFolder = c.target.substr(0, c.target.find_last_of('\\'));
        const auto besideBefore = entriesOf(targetFolder);
        const Bytes contentsBefore = readFile(c.target);

        try {
            WriteFileSafely(c.target, bytesOf("new picture"));
            ADD_FAILURE() << "no error raised";
        } catch (const FileWriteError& error) {
            EXPECT_EQ(error.path(), c.target);
            EXPECT_NE(std::string(error.what()).find(c.target), std::string::npos) << error.what();
            EXPECT_NE(error.code(), 0u);
            if (c.code) {
                EXPECT_EQ(error.code(), c.code) << error.what();
            }
        }

        EXPECT_EQ(entriesOf(folder), entriesBefore);
        EXPECT_EQ(entriesOf(targetFolder), besideBefore);
        EXPECT_EQ(readFile(c.target), contentsBefore);
        c.release();
    }
}

TEST_F(PngSaveTest, FailedWriteAfterTheDialogStillRemembersTheFolderAndKeepsTheOldFile) {
    // The target held open by another program: the last step of the safe writer, putting the
    // finished file in place, fails as it would on a full disk, after the bytes were encoded.
    const struct {
        const char* name;
        int format;
    } cases[] = {{"Print Screen.bmp", 0}, {"Print Screen.png", 0}, {"Print Screen.png", 1}};
    const std::string pictures = subfolder("pictures");
    CaptureBitmap bitmap(4, 4);
    paintBlocks(bitmap);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ", format " + std::to_string(c.format));
        const std::string target = pictures + "\\" + c.name;
        writeFile(target, "old picture");
        HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        dialog.InitialDir.clear();
        SaveDialogAnswerer answerer(target);

        EXPECT_THROW(SaveCapture(nullptr, dialog, bitmap, c.format, 0, "Print Screen", true),
                     FileWriteError);

        EXPECT_EQ(answerer.replaceQuestions(), 1) << "the dialog asks before replacing a file";
        EXPECT_EQ(dialog.InitialDir, pictures + "\\");
        CloseHandle(holder);
        EXPECT_EQ(readFile(target), bytesOf("old picture"));
        EXPECT_EQ(entriesOf(pictures), std::set<std::string>{c.name});
        removeTree(target);
    }
}

// ---------------------------------------------------------------------------------------------
// Names in any script

// Cyrillic, CJK and an emoji, none of which code page 1252 (Wine's default) can spell: through
// the ANSI calls this folder could be neither found nor written into.
constexpr const char* kUnicodeFolder = "\u0421\u043d\u0438\u043c\u043a\u0438 \u044d\u043a\u0440\u0430\u043d\u0430 \u8868 \U0001F4F7";

TEST_F(SaveTest, SafeWriterWritesAndReplacesInAFolderOfAnyScript) {
    const std::string unicode = subfolder(kUnicodeFolder);
    const std::string name = "\u03a9\u03bc\u03ad\u03b3\u03b1 \u5199\u771f \U0001F5BC.bin";
    const std::string target = unicode + "\\" + name;

    WriteFileSafely(target, bytesOf("first contents"));
    EXPECT_EQ(readFile(target), bytesOf("first contents"));
    WriteFileSafely(target, bytesOf("second"));
    EXPECT_EQ(readFile(target), bytesOf("second"));
    EXPECT_EQ(entriesOf(unicode), std::set<std::string>{name});

    // A file the user protected is seen as such there too, and kept.
    ASSERT_TRUE(SetFileAttributesW(win::wide(target).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(WriteFileSafely(target, bytesOf("third")), FileWriteError);
    EXPECT_EQ(readFile(target), bytesOf("second"));
    EXPECT_EQ(entriesOf(unicode), std::set<std::string>{name});
}

// Through the system's own dialog: the name typed there in any script is where the picture lands,
// byte for byte the file the encoder makes, and the folder is remembered as it is spelled.
TEST_F(PngSaveTest, BmpJpegAndPngLandByteExactInAFolderOfAnyScript) {
    const std::string unicode = subfolder(kUnicodeFolder);
    CaptureBitmap bitmap(37, 21);
    paintNoisyBlocks(bitmap);
    const BgrPicture picture = pictureOf(bitmap);
    struct Case {
        const char* what;
        int format;
        std::string name;
        Bytes expected;
    } cases[] = {
        {"BMP", 0, "\u0441\u043d\u0438\u043c\u043e\u043a \U0001F5BC.bmp", BmpFileBytes(picture)},
        {"JPEG", 1, "\u5199\u771f \u03a9.jpg", EncodeJpeg(picture, options::JpegQualityTable[3])},
        {"PNG", 0, "\u03a9\u03bc\u03ad\u03b3\u03b1.png", EncodePng(picture)},
    };
    std::set<std::string> written;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string target = unicode + "\\" + c.name;
        SaveDialogAnswerer answerer(target);

        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, c.format, 3, "Print Screen", true), target);

        EXPECT_TRUE(readFile(target) == c.expected) << "the file differs from the encoder's";
        EXPECT_EQ(dialog.InitialDir, unicode + "\\");
        written.insert(c.name);
        EXPECT_EQ(entriesOf(unicode), written);
    }
}

// The remembered folder reaches the dialog as it is spelled, the next free name is found among
// the files there, and the name the dialog hands back is where the picture is written.
TEST_F(SaveTest, TheDialogOpensInAFolderOfAnyScriptAndItsAnswerIsWhereThePictureGoes) {
    const std::string unicode = subfolder(kUnicodeFolder);
    writeFile(unicode + "\\Print Screen.jpg", "taken");
    CaptureBitmap bitmap(8, 8);
    paintBlocks(bitmap);
    dialog.InitialDir = unicode + "\\";
    {
        SaveDialogAnswerer cancel("");
        EXPECT_EQ(SaveCapture(nullptr, dialog, bitmap, 1, 3, "Print Screen"), "");
        ASSERT_EQ(cancel.dialogs().size(), 1u);
        EXPECT_EQ(cancel.dialogs()[0].folder, unicode);
        EXPECT_EQ(cancel.dialogs()[0].proposedName, "Print Screen001.jpg");
    }
    const std::string chosen = unicode + "\\\u0444\u043e\u0442\u043e \U0001F4F7.jpg";
    ScriptedSaveDialog scripted({{true, 0, chosen}});
    scripted.InitialDir = unicode + "\\";

    EXPECT_EQ(SaveCapture(nullptr, scripted, bitmap, 1, 3, "Print Screen"), chosen);

    EXPECT_EQ(scripted.initialFolders, std::vector<std::string>{unicode + "\\"});
    EXPECT_EQ(scripted.proposals, std::vector<std::string>{unicode + "\\Print Screen001.jpg"});
    EXPECT_TRUE(readFile(chosen) == EncodeJpeg(pictureOf(bitmap), options::JpegQualityTable[3]));
    EXPECT_EQ(scripted.InitialDir, unicode + "\\");
}

// ---------------------------------------------------------------------------------------------
// The clipboard

TEST(Clipboard, ThePngIsThereUnderTheRegisteredNamePngWithEveryByte) {
    CaptureBitmap bitmap(19, 7);
    paintBlocks(bitmap);
    copyToClipboard(nullptr, bitmap);

    ASSERT_TRUE(OpenClipboard(nullptr));
    const win::ScopeExit close([] { CloseClipboard(); });
    std::vector<std::string> registered;
    UINT pngFormat = 0;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        wchar_t name[64] = {};
        if (GetClipboardFormatNameW(format, name, 64) <= 0) continue;
        registered.push_back(win::narrow(name));
        if (registered.back() == "PNG") pngFormat = format;
    }
    ASSERT_NE(pngFormat, 0u) << testing::PrintToString(registered);
    const HANDLE data = GetClipboardData(pngFormat);
    ASSERT_TRUE(data);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(data));
    ASSERT_TRUE(bytes);
    const Bytes expected = EncodePng(pictureOf(bitmap));
    ASSERT_GE(GlobalSize(data), expected.size());
    EXPECT_TRUE(Bytes(bytes, bytes + expected.size()) == expected);
    GlobalUnlock(data);
}

}  // namespace
}  // namespace vps
