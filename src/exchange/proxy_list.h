#pragma once

#include <string>
#include <utility>
#include <vector>

#include "exchange/http_client.h"

namespace zentrix {

// What the public proxy list is asked for. Protocols and anonymity levels are bit sets
// (protocols: 1 http, 2 https, 4 socks4, 8 socks5; anonymity: 1, 2, 4, 8 for levels 1 to 4);
// countries are codes separated by "," or ";"; port 0 accepts any port.
struct TProxyListQuery {
    enum : int { Http = 1, Https = 2, Socks4 = 4, Socks5 = 8 };
    int protocols = 0;
    int anonymity = 0;
    std::string countries;
    int port = 0;
    int minUptime = 0;
    int maxResponseMs = 0;
    int wanted = 30;
};

// Rows per page of the list; a shorter page is the last one.
inline constexpr int kProxyListPageRows = 15;

// The query of one page of the list ("protocol=https&min_uptime=75&...").
std::string ProxyListQueryText(const TProxyListQuery& query, int page);

// Reads one page of the list (page 1, 2, ...) from the list site's root and adds the rows'
// "host:port" that match the port; the number of rows on the page, added or not. A row whose
// port offset is not a number raises EZentrix.
int ScrapeProxyPage(THttpPort& http, const std::string& listUrl, const TProxyListQuery& query,
                    int page, std::vector<std::string>& list);
// Pages 1, 2, ... while the list holds fewer than the wanted count and the last page was full.
std::vector<std::string> FetchProxyList(THttpPort& http, const std::string& listUrl,
                                        const TProxyListQuery& query);

// The rows of a list page as the list site writes them, for a page of our own (a mirror, tests):
// the port base in a hidden div, each row's host Base64-encoded in its inline script.
std::string ProxyListPage(const std::vector<std::pair<std::string, int>>& proxies, int portBase);

}  // namespace zentrix
