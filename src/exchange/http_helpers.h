#pragma once

#include <string>
#include <vector>

#include "exchange/http_client.h"

namespace zentrix {

// One request each, on a fresh client with the program's headers and gzip/deflate decoding and
// never through the proxy settings. `options` carries the trust (an extra CA file) and the
// time-outs; its followRedirects is replaced by the argument where there is one.

// GET; the body replaces the file (written aside and renamed over it, so a failed download
// leaves the old content). Redirects are followed. `https` is what the caller expects of the
// address: a plain address where TLS was asked for is refused, also as a redirect's target.
void HttpGetToFile(const std::string& url, const std::string& fileName, bool https,
                   THttpOptions options = {});
// GET; the body as received.
std::string HttpGetText(const std::string& url, bool followRedirects, THttpOptions options = {});
// POST of name=value fields as an HTML form; the response body as received.
std::string HttpPostForm(const std::string& url, const std::vector<std::string>& fields,
                         bool followRedirects, THttpOptions options = {});

}  // namespace zentrix
