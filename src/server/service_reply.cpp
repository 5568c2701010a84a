#include "server/service_reply.h"

namespace zentrix::server {

TReplyRow& TReplyRow::Add(std::string_view name, std::string_view value) {
    text_.append("<").append(name).append(">").append(value).append("</").append(name).append(">");
    return *this;
}

TReplyRow& TReplyRow::Add(std::string_view name, long long value) {
    return Add(name, std::to_string(value));
}

std::string ReplyText(const std::vector<TReplyRow>& rows) {
    std::string text = "<result>";
    for (const auto& row : rows) text.append("<row>").append(row.Text()).append("</row>");
    return text + "</result>";
}

std::string ErrorReply(std::string_view message) {
    std::string clean;
    for (char c : message)
        if (c != '<' && c != '>') clean += c;
    if (clean.empty()) clean = "error";
    return ReplyText({TReplyRow().Add("error", clean)});
}

}  // namespace zentrix::server
