#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "util/errors.h"

namespace zentrix {

// A request failed: no connection, a time-out, a refused certificate, an error status.
class EHttpError : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

struct THttpProxy {
    std::string server;  // empty: no proxy
    int port = 0;
    std::string username;
    std::string password;
};

struct THttpOptions {
    bool followRedirects = true;
    bool keepCookies = false;
    long connectTimeoutMs = 5000;
    // A reply that sends nothing for this long is given up.
    long readTimeoutMs = 10000;
    // An extra certificate authority to trust besides the system's; empty: the system's only.
    std::string caFile;
    // The system's authorities (a PEM bundle); empty: the one libcurl was built with.
    std::string systemCaFile;
    // Only https:// addresses, redirects included (a redirect to a plain address fails).
    bool httpsOnly = false;
};

// What the download needs of an HTTP client, so that the layers above can run without a network.
class THttpPort {
  public:
    virtual ~THttpPort() = default;
    virtual void SetProxy(const THttpProxy& proxy) = 0;
    virtual void SetTimeouts(long connectMs, long readMs) = 0;
    // The body as received; a failed request raises EHttpError.
    virtual std::string Get(const std::string& url) = 0;
};

// Makes a client with the given options; the real one (libcurl) unless a test replaces it.
using THttpFactory = std::function<std::unique_ptr<THttpPort>(const THttpOptions&)>;
THttpFactory RealHttpFactory();

// HTTP over libcurl with the browser-like headers every request of the program sends, gzip and
// deflate decoded, TLS 1.2 or newer with the server's certificate verified. One client may serve
// many requests (its cookies persist when keepCookies).
class THttpClient : public THttpPort {
  public:
    explicit THttpClient(THttpOptions options = {});
    ~THttpClient() override;
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    void SetProxy(const THttpProxy& proxy) override;
    void SetTimeouts(long connectMs, long readMs) override;
    // The body as received; an error status or a failed transfer raises EHttpError.
    std::string Get(const std::string& url) override;
    // POST of name=value fields as an HTML form (values are sent as given, already encoded).
    std::string PostForm(const std::string& url, const std::vector<std::string>& fields);

  private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

// The request headers every client of the program sends besides Accept-Encoding, which the
// decoder sets to what it can decode.
std::vector<std::string> BrowserHeaders();
// The URL begins with "https://", letters compared without regard to case.
bool IsHttpsUrl(const std::string& url);
// The URL up to and including its last "/".
std::string UrlBasePath(const std::string& url);
// a and b joined by "&" when both are non-empty, else the non-empty one.
std::string JoinQuery(const std::string& a, const std::string& b);
// An address as the desktop opens it: "http://" put before it unless it begins with "http://",
// "https://", "ftp://" or "ftps://".
std::string BrowserAddress(const std::string& address);

}  // namespace zentrix
