#include "exchange/http_helpers.h"

#include "util/files.h"

namespace zentrix {

void HttpGetToFile(const std::string& url, const std::string& fileName, bool https,
                   THttpOptions options) {
    if (https && !IsHttpsUrl(url))
        throw EHttpError("Адрес не защищен (ожидался адрес https://): " + url);
    options.followRedirects = true;
    options.httpsOnly = options.httpsOnly || https;
    const std::string body = THttpClient(options).Get(url);
    AtomicWriteFile(fileName, body);
}

std::string HttpGetText(const std::string& url, bool followRedirects, THttpOptions options) {
    options.followRedirects = followRedirects;
    return THttpClient(options).Get(url);
}

std::string HttpPostForm(const std::string& url, const std::vector<std::string>& fields,
                         bool followRedirects, THttpOptions options) {
    options.followRedirects = followRedirects;
    return THttpClient(options).PostForm(url, fields);
}

}  // namespace zentrix
