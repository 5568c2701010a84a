#include "support/catalog_server.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/web_server.h"

namespace zentrix::test {

TCatalogServer::TCatalogServer(const std::string& updatesDir, bool seedExamples, bool https)
    : https_(https) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zentrix-catalog").string() + "-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    dbFile_ = folder_ + "/catalog.db";
    const auto& certs = TestCertificates();
    for (int attempt = 0; attempt < 5 && pid_ < 0; ++attempt) {
        port_ = FreeLocalPort();
        std::vector<std::string> args = {ZENTRIX_SERVER_PROGRAM, "--db",   dbFile_,    "--port",
                                         std::to_string(port_),  "--host", "127.0.0.1"};
        if (https) args.insert(args.end(), {"--cert", certs.serverCert, "--key", certs.serverKey});
        if (!updatesDir.empty()) args.insert(args.end(), {"--updates", updatesDir});
        if (seedExamples) args.push_back("--seed-examples");
        const int pid = fork();
        if (pid == 0) {
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            freopen("/dev/null", "w", stdout);
            execv(argv[0], argv.data());
            _exit(127);
        }
        for (int i = 0; i < 1000; ++i) {
            if (PortListens(port_)) {
                pid_ = pid;
                break;
            }
            if (waitpid(pid, nullptr, WNOHANG) == pid) break;  // the port was taken meanwhile
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (pid_ < 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    if (pid_ < 0) throw std::runtime_error("zentrix-server did not start");
}

void TCatalogServer::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

TCatalogServer::~TCatalogServer() {
    Stop();
    std::filesystem::remove_all(folder_);
}

std::string TCatalogServer::Url() const {
    return std::string(https_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

}  // namespace zentrix::test
