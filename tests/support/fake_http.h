#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "exchange/http_client.h"

namespace zentrix::test {

// An HTTP port without a network: every GET is recorded with the proxy it went through and
// answered by `answer` (which may throw EHttpError as a failed request would).
class TFakeHttp {
  public:
    struct TRequest {
        std::string url;
        THttpProxy proxy;
    };
    std::vector<TRequest> requests;
    std::function<std::string(const std::string& url, const THttpProxy& proxy)> answer;
    // How many clients were made.
    int clients = 0;

    THttpFactory Factory();
    // The requests' addresses without the scheme and host ("/archive?from=...").
    std::vector<std::string> Paths() const;
};

}  // namespace zentrix::test
