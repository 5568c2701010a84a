#include "exchange/http_client.h"

#include <curl/curl.h>

#include <mutex>

#include "util/files.h"

#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// A hostile or broken server must not fill the memory.
constexpr size_t kMaxBodyBytes = 64u << 20;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TSink {
    std::string body;
    bool tooLarge = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<TSink*>(user);
    const size_t n = size * count;
    if (sink->body.size() + n > kMaxBodyBytes) {
        sink->tooLarge = true;
        return 0;  // ends the transfer with a write error
    }
    sink->body.append(data, n);
    return n;
}

std::string HostOf(const std::string& url) {
    size_t start = url.find("://");
    start = start == std::string::npos ? 0 : start + 3;
    const size_t end = url.find_first_of(":/?#", start);
    return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string FailureText(CURLcode code, const char* detail, const std::string& url) {
    std::string text;
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            text = Format("Не удалось найти сервер %s", {HostOf(url)});
            break;
        case CURLE_COULDNT_RESOLVE_PROXY:
            text = "Не удалось найти proxy-сервер";
            break;
        case CURLE_COULDNT_CONNECT:
            text = Format("Не удалось подключиться к серверу %s", {HostOf(url)});
            break;
        case CURLE_OPERATION_TIMEDOUT:
            text = "Превышено время ожидания ответа сервера";
            break;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
            text = "Сертификат сервера не прошел проверку: соединение не защищено";
            break;
        case CURLE_SSL_CONNECT_ERROR:
            text = "Не удалось установить защищенное соединение";
            break;
        default:
            text = "Ошибка передачи данных";
            break;
    }
    const std::string more = detail && *detail ? detail : curl_easy_strerror(code);
    return text + " (" + Trim(more) + ")";
}

}  // namespace

struct THttpClient::TImpl {
    CURL* curl = nullptr;
    THttpOptions options;
    THttpProxy proxy;
    curl_slist* headers = nullptr;

    std::string trustBundle;

    // CURLOPT_CAINFO alone would replace the system's authorities: the extra one is added to
    // them in one bundle.
    void TrustExtraAuthority() {
        std::string system = options.systemCaFile;
        if (system.empty()) {
            const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
            if (info && info->cainfo) system = info->cainfo;
        }
        std::string extra;
        try {
            extra = ReadFileBytes(options.caFile);
        } catch (const std::exception& e) {
            throw EHttpError(Format("Не удалось прочитать файл сертификатов \"%s\" (%s)",
                                    {options.caFile, std::string(e.what())}));
        }
        if (!system.empty() && FileSize(system) > 0) {
            try {
                trustBundle = ReadFileBytes(system) + "\n";
            } catch (const std::exception&) {
                // Without the system's bundle only the extra authority is trusted.
            }
        }
        trustBundle += extra;
        curl_blob blob{trustBundle.data(), trustBundle.size(), CURL_BLOB_NOCOPY};
        curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
    }

    ~TImpl() {
        if (curl) curl_easy_cleanup(curl);
        curl_slist_free_all(headers);
    }

    std::string Perform(const std::string& url, const std::string* form) {
        TSink sink;
        char error[CURL_ERROR_SIZE] = {};
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteBody);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max(1L, options.readTimeoutMs / 1000));
        if (form) {
            curl_easy_setopt(curl, CURLOPT_POST, 1L);
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(form->size()));
            curl_easy_setopt(curl, CURLOPT_COPYPOSTFIELDS, form->c_str());
        } else {
            curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        }
        if (proxy.server.empty()) {
            curl_easy_setopt(curl, CURLOPT_PROXY, "");  // no proxy, not even from the environment
        } else {
            const std::string address = "http://" + proxy.server + ":" + std::to_string(proxy.port);
            curl_easy_setopt(curl, CURLOPT_PROXY, address.c_str());
            curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, proxy.username.c_str());
            curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, proxy.password.c_str());
        }
        const CURLcode code = curl_easy_perform(curl);
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
        if (sink.tooLarge) throw EHttpError("Ответ сервера слишком велик");
        if (code != CURLE_OK) throw EHttpError(FailureText(code, error, url));
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 400) throw EHttpError(Format("Сервер ответил ошибкой HTTP %d", {status}));
        return std::move(sink.body);
    }
};

THttpClient::THttpClient(THttpOptions options) : impl_(std::make_unique<TImpl>()) {
    GlobalInit();
    impl_->options = std::move(options);
    impl_->curl = curl_easy_init();
    if (!impl_->curl) throw EHttpError("Не удалось создать HTTP-клиент");
    CURL* c = impl_->curl;
    for (const std::string& h : BrowserHeaders())
        impl_->headers = curl_slist_append(impl_->headers, h.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, impl_->headers);
    // Sets Accept-Encoding itself and decodes what it announces.
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    const char* protocols = impl_->options.httpsOnly ? "https" : "http,https";
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, impl_->options.followRedirects ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    if (!impl_->options.caFile.empty()) impl_->TrustExtraAuthority();
    if (impl_->options.keepCookies) curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");
}

THttpClient::~THttpClient() = default;

void THttpClient::SetProxy(const THttpProxy& proxy) {
    impl_->proxy = proxy;
}

void THttpClient::SetTimeouts(long connectMs, long readMs) {
    impl_->options.connectTimeoutMs = connectMs;
    impl_->options.readTimeoutMs = readMs;
}

std::string THttpClient::Get(const std::string& url) {
    return impl_->Perform(url, nullptr);
}

std::string THttpClient::PostForm(const std::string& url, const std::vector<std::string>& fields) {
    const std::string form = Join(fields, "&");
    return impl_->Perform(url, &form);
}

THttpFactory RealHttpFactory() {
    return [](const THttpOptions& options) -> std::unique_ptr<THttpPort> {
        return std::make_unique<THttpClient>(options);
    };
}

std::string BrowserAddress(const std::string& address) {
    for (const char* scheme : {"http://", "https://", "ftp://", "ftps://"}) {
        const std::string_view s(scheme);
        if (address.size() >= s.size() &&
            SameText(std::string_view(address).substr(0, s.size()), s))
            return address;
    }
    return "http://" + address;
}

std::vector<std::string> BrowserHeaders() {
    return {"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
            "User-Agent: Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like "
            "Gecko) Chrome/47.0.2526.80 Safari/537.36"};
}

bool IsHttpsUrl(const std::string& url) {
    return url.size() >= 8 && SameText(std::string_view(url).substr(0, 8), "https://");
}

std::string UrlBasePath(const std::string& url) {
    const size_t slash = url.rfind('/');
    return slash == std::string::npos ? std::string() : url.substr(0, slash + 1);
}

std::string JoinQuery(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + "&" + b;
}

}  // namespace zentrix
