#include "exchange/proxy_list.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "exchange/text_extract.h"
#include "util/base64.h"
#include "util/format.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// The host goes into the proxy address of every later request: only a plain name or address.
bool IsPlainHost(const std::string& host) {
    return !host.empty() && host.size() <= 253 && std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-';
    });
}

std::string RootUrl(const std::string& listUrl) {
    std::string root = listUrl;
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root + "/";
}

}  // namespace

std::string ProxyListQueryText(const TProxyListQuery& query, int page) {
    std::string q;
    const char* protocols[] = {"http", "https", "socks4", "socks5"};
    for (int bit = 0; bit < 4; ++bit)
        if (query.protocols & (1 << bit)) q = JoinQuery(q, Format("protocol=%s", {protocols[bit]}));
    for (int level = 1; level <= 4; ++level)
        if (query.anonymity & (1 << (level - 1))) q = JoinQuery(q, Format("anonlvl=%d", {level}));
    for (const std::string& c : SplitAny(query.countries, ",;"))
        if (!Trim(c).empty()) q = JoinQuery(q, Format("country=%s", {Trim(c)}));
    if (query.minUptime > 0) q = JoinQuery(q, Format("min_uptime=%d", {query.minUptime}));
    if (query.maxResponseMs > 0)
        q = JoinQuery(q, Format("max_response_time=%d", {query.maxResponseMs / 1000}));
    if (page > 1) q = JoinQuery(q, Format("offset=%d", {(page - 1) * kProxyListPageRows}));
    return q;
}

int ScrapeProxyPage(THttpPort& http, const std::string& listUrl, const TProxyListQuery& query,
                    int page, std::vector<std::string>& list) {
    const std::string q = ProxyListQueryText(query, page);
    const std::string body = http.Get(RootUrl(listUrl) + (q.empty() ? "" : "?" + q));
    std::string tbody = ExtractBetween(body, "<tbody>", "</tbody>", TMissingEnd::Raise);
    if (body.empty() || tbody.empty()) return 0;
    const int portBase = TryStrToInt(ExtractBetween2(body, "<div style=\"display:none\" data-",
                                                     "</div>", "=\"", "\"", TMissingEnd::Raise))
                             .value_or(0);
    int rows = 0;
    for (std::string row = CutSegment(tbody, "<tr>"); !row.empty();
         row = CutSegment(tbody, "<tr>")) {
        ++rows;
        const std::string script = ExtractBetween(row, "<script>", "</script>", TMissingEnd::Raise);
        const std::string offsetText = ExtractBetween(script, "(pb +", ")", TMissingEnd::Raise);
        const auto offset = TryStrToInt(offsetText);
        if (!offset)
            throw EZentrix(
                Format("Некорректный порт proxy-сервера в списке: \"%s\"", {offsetText}));
        const auto host =
            Base64Decode(ExtractBetween(script, "Base64.decode(\"", "\"", TMissingEnd::Raise));
        const int port = portBase + *offset;
        if (!host || !IsPlainHost(*host) || port < 1 || port > 65535) continue;
        if (query.port == 0 || query.port == port) list.push_back(Format("%s:%d", {*host, port}));
    }
    return rows;
}

std::vector<std::string> FetchProxyList(THttpPort& http, const std::string& listUrl,
                                        const TProxyListQuery& query) {
    std::vector<std::string> list;
    for (int page = 1; static_cast<int>(list.size()) < query.wanted; ++page)
        if (ScrapeProxyPage(http, listUrl, query, page, list) < kProxyListPageRows) break;
    return list;
}

std::string ProxyListPage(const std::vector<std::pair<std::string, int>>& proxies, int portBase) {
    std::string rows;
    for (const auto& [host, port] : proxies)
        rows += "<tr><td><script>document.write(Base64.decode(\"" + Base64Encode(host) +
                "\") + \":\" + (pb + " + std::to_string(port - portBase) +
                "))</script></td><td>HTTPS</td></tr>\n";
    return "<html><body><div style=\"display:none\" data-pb=\"" + std::to_string(portBase) +
           "\"></div><table id=\"proxy_list\"><thead><tr><th>IP</th></tr></thead><tbody>\n" + rows +
           "</tbody></table></body></html>";
}

}  // namespace zentrix
