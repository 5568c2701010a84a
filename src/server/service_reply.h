#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentrix::server {

// One "<row>" of a reply: elements "<name>value</name>" in the order added.
class TReplyRow {
  public:
    TReplyRow& Add(std::string_view name, std::string_view value);
    TReplyRow& Add(std::string_view name, long long value);
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// "<result><row>...</row>...</result>".
std::string ReplyText(const std::vector<TReplyRow>& rows);
// A refusal: one row whose "<error>" holds the message (marks in it are taken out).
std::string ErrorReply(std::string_view message);

}  // namespace zentrix::server
