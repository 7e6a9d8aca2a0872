#include "core/MailAttachments.h"

namespace vps {

MailAttachmentList splitAttachmentList(std::string_view list) {
    MailAttachmentList result;
    for (auto end = list.find(';'); end != std::string_view::npos; end = list.find(';')) {
        if (result.entries.size() == kMaxMailAttachments) {
            result.tooMany = true;
            break;
        }
        const std::string_view path = list.substr(0, end);
        result.entries.push_back({std::string(path), attachmentFileName(path)});
        list.remove_prefix(end + 1);
    }
    return result;
}

std::string attachmentFileName(std::string_view path) {
    const auto separator = path.find_last_of("\\:");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

}  // namespace vps
