#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/http_client.h"
#include "util/datetime.h"
#include "util/errors.h"

namespace zentrix {

// A reply row whose "<error>" element is not empty: the service refused the request.
class EServiceRefusal : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// Who the requests speak for, and the program they come from.
struct TServiceIdentity {
    std::string appId;       // the program's own application identifier
    std::string appVersion;  // its version
    std::string computerId;
    std::string userName, userEmail;
    int lcid = 1049;  // the interface language
};

// Where the catalog service is and how its certificate is trusted.
struct TServiceTarget {
    std::string baseUrl;  // scripts under baseUrl + "/scripts/"
    THttpOptions options;
};

// A field "name=value" with the value escaped (the program's single-byte text, backslash
// escapes) and form-encoded.
std::string EscapedField(std::string_view name, std::string_view text);
// A field whose value goes out as it is, only form-encoded.
std::string PlainField(std::string_view name, std::string_view value);
std::string IntField(std::string_view name, long long value);
// The identity's fields in the order every request sends them: appid, appver, hwdid, cl_name,
// cl_mail, cl_lcid.
std::vector<std::string> IdentityFields(const TServiceIdentity& identity, int lcid);

// A form post to a script of the service, redirects followed; the reply as text.
std::string PostService(const TServiceTarget& target, std::string_view script,
                        const std::vector<std::string>& fields);

// The rows of the reply's "<result>", cut off one after another; empty without a result. A
// refusal row raises EServiceRefusal with its text; a start mark without its end raises.
std::vector<std::string> ReplyRows(std::string_view reply);
// Whether the reply holds "<result>" at all.
bool HasResult(std::string_view reply);
// An element of a row (trimmed, unquoted); a start mark without its end raises.
std::string Element(std::string_view row, std::string_view name);
// A strict integer; anything else raises EConvertError naming the element.
int32_t IntElement(std::string_view row, std::string_view name);
// An integer, or the fallback when it is not one.
int32_t IntElementDef(std::string_view row, std::string_view name, int32_t fallback);
// Base64 of UTF-8 text; not Base64 raises EConvertError.
std::string Base64TextElement(std::string_view row, std::string_view name);
// Text sent as UTF-8; bytes that are not UTF-8 are read as the single-byte code page.
std::string Utf8Element(std::string_view row, std::string_view name);
// "yyyy-mm-dd hh:nn:ss" read by character positions as UTC and given in local time; empty: 0.
TDateTime ServiceDate(std::string_view text);
// The local time as that UTC text (for tests and the server's counterpart).
std::string ServiceDateText(TDateTime local);

}  // namespace zentrix
