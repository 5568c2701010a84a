#include "support/fake_http.h"

namespace zentrix::test {

namespace {

class TFakeClient : public THttpPort {
  public:
    explicit TFakeClient(TFakeHttp& owner) : owner_(owner) {}
    void SetProxy(const THttpProxy& proxy) override { proxy_ = proxy; }
    void SetTimeouts(long, long) override {}
    std::string Get(const std::string& url) override {
        owner_.requests.push_back({url, proxy_});
        return owner_.answer ? owner_.answer(url, proxy_) : std::string();
    }

  private:
    TFakeHttp& owner_;
    THttpProxy proxy_;
};

}  // namespace

THttpFactory TFakeHttp::Factory() {
    return [this](const THttpOptions&) -> std::unique_ptr<THttpPort> {
        ++clients;
        return std::make_unique<TFakeClient>(*this);
    };
}

std::vector<std::string> TFakeHttp::Paths() const {
    std::vector<std::string> paths;
    for (const TRequest& r : requests) {
        const size_t scheme = r.url.find("://");
        const size_t slash = r.url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
        paths.push_back(slash == std::string::npos ? "/" : r.url.substr(slash));
    }
    return paths;
}

}  // namespace zentrix::test
