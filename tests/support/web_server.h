#pragma once

#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace zentrix::test {

// A certificate authority made for one test run and a server certificate it signed for
// 127.0.0.1 and localhost, as PEM files in a temporary folder.
struct TTestCertificates {
    std::string folder;
    std::string caFile, serverCert, serverKey;
};
// Made once per process (openssl is slow to make keys); the files live until the process ends.
const TTestCertificates& TestCertificates();
// Another authority's certificate for 127.0.0.1: a client that trusts only the test CA refuses it.
const TTestCertificates& UntrustedCertificates();

// A local HTTP or HTTPS server on a free port of 127.0.0.1, serving from its own thread until
// destroyed. Routes are added to Routes() before Start().
class TWebServer {
  public:
    // certificates == nullptr: plain HTTP.
    explicit TWebServer(const TTestCertificates* certificates = nullptr);
    ~TWebServer();
    TWebServer(const TWebServer&) = delete;
    TWebServer& operator=(const TWebServer&) = delete;

    httplib::Server& Routes() { return *server_; }
    void Start();
    int Port() const { return port_; }
    // "https://127.0.0.1:PORT" or "http://..."
    std::string Url() const;

  private:
    struct TThread;
    std::unique_ptr<httplib::Server> server_;
    std::unique_ptr<TThread> thread_;
    bool https_ = false;
    int port_ = 0;
};

// Debian's tinyproxy on a free local port, stopped with the object.
class TTinyproxy {
  public:
    // A non-empty user makes the proxy demand basic authentication.
    explicit TTinyproxy(const std::string& user = "", const std::string& password = "");
    ~TTinyproxy();
    TTinyproxy(const TTinyproxy&) = delete;
    TTinyproxy& operator=(const TTinyproxy&) = delete;

    int Port() const { return port_; }
    // How many requests the proxy carried (from its log).
    int RequestCount() const;

  private:
    std::string folder_;
    int pid_ = -1;
    int port_ = 0;
};

// A local port nothing listens on (bound, then closed).
int FreeLocalPort();

// Something accepts connections on the loopback port.
bool PortListens(int port);

}  // namespace zentrix::test
