#include "support/web_server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace zentrix::test {

namespace {

std::string MakeFolder(const char* name) {
    std::string pattern = (std::filesystem::temp_directory_path() / name).string() + "-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

TTestCertificates MakeCertificates(const char* name) {
    TTestCertificates c;
    c.folder = MakeFolder(name);
    const std::string f = c.folder + "/";
    c.caFile = f + "ca.crt";
    c.serverCert = f + "server.crt";
    c.serverKey = f + "server.key";
    std::ofstream(f + "san.ext") << "subjectAltName=IP:127.0.0.1,DNS:localhost\n";
    Run("openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=" + std::string(name) +
        " -keyout " + f + "ca.key -out " + c.caFile);
    Run("openssl req -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout " + c.serverKey +
        " -out " + f + "server.csr");
    Run("openssl x509 -req -days 2 -in " + f + "server.csr -CA " + c.caFile + " -CAkey " + f +
        "ca.key -CAcreateserial -extfile " + f + "san.ext -out " + c.serverCert);
    return c;
}

}  // namespace

const TTestCertificates& TestCertificates() {
    static const TTestCertificates c = MakeCertificates("zentrix-test-ca");
    return c;
}

const TTestCertificates& UntrustedCertificates() {
    static const TTestCertificates c = MakeCertificates("zentrix-other-ca");
    return c;
}

int FreeLocalPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
}

struct TWebServer::TThread {
    std::thread thread;
};

TWebServer::TWebServer(const TTestCertificates* certificates)
    : thread_(std::make_unique<TThread>()), https_(certificates != nullptr) {
    if (certificates)
        server_ = std::make_unique<httplib::SSLServer>(certificates->serverCert.c_str(),
                                                       certificates->serverKey.c_str());
    else
        server_ = std::make_unique<httplib::Server>();
}

TWebServer::~TWebServer() {
    server_->stop();
    if (thread_->thread.joinable()) thread_->thread.join();
}

void TWebServer::Start() {
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("the test server could not bind");
    thread_->thread = std::thread([this] { server_->listen_after_bind(); });
    for (int i = 0; i < 500 && !server_->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

std::string TWebServer::Url() const {
    return std::string(https_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

TTinyproxy::TTinyproxy(const std::string& user, const std::string& password)
    : folder_(MakeFolder("zentrix-proxy")), port_(FreeLocalPort()) {
    const std::string conf = folder_ + "/tinyproxy.conf";
    std::ofstream out(conf);
    out << "Port " << port_ << "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\n"
        << "LogFile \"" << folder_ << "/tinyproxy.log\"\nLogLevel Info\nMaxClients 20\n";
    if (!user.empty()) out << "BasicAuth " << user << " " << password << "\n";
    out.close();
    pid_ = fork();
    if (pid_ == 0) {
        execl("/usr/bin/tinyproxy", "tinyproxy", "-d", "-c", conf.c_str(), nullptr);
        _exit(127);
    }
    for (int i = 0; i < 500; ++i) {
        if (PortListens(port_)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw std::runtime_error("tinyproxy did not start");
}

TTinyproxy::~TTinyproxy() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    std::filesystem::remove_all(folder_);
}

int TTinyproxy::RequestCount() const {
    std::ifstream in(folder_ + "/tinyproxy.log");
    std::string line;
    int count = 0;
    while (std::getline(in, line))
        if (line.find("Request (file descriptor") != std::string::npos) ++count;
    return count;
}

bool PortListens(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(fd);
    return ok;
}

}  // namespace zentrix::test
