#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vps {

// A mail client is only ever handed this many files at once.
inline constexpr std::size_t kMaxMailAttachments = 10;

struct MailAttachment {
    std::string path;      // as given, drive and folders included
    std::string fileName;  // what the mail client shows for it

    bool operator==(const MailAttachment&) const = default;
};

struct MailAttachmentList {
    std::vector<MailAttachment> entries;  // at most kMaxMailAttachments, in list order
    bool tooMany = false;                 // one more ";"-terminated entry followed them

    bool operator==(const MailAttachmentList&) const = default;
};

// Splits a list of full file names, each followed by ";" (for example "C:\x.jpg;D:\y.jpg;").
// Text after the last ";" is not an entry. Splitting stops at the entry after the tenth: its
// presence alone is the fault, whatever it holds.
MailAttachmentList splitAttachmentList(std::string_view list);

// The part of a path after its last backslash or colon: "b.jpg" for both C:\a\b.jpg and D:b.jpg.
std::string attachmentFileName(std::string_view path);

}  // namespace vps
