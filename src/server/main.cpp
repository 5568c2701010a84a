// zentrix-server: the scenario and systems catalog and the update files, for a club that runs
// its own service.
#include <httplib.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>

#include "server/catalog_store.h"
#include "server/seed_examples.h"
#include "server/service_routes.h"

namespace {

httplib::Server* gServer = nullptr;

void Stop(int) {
    if (gServer) gServer->stop();
}

// The largest request body accepted; the fields have their own, smaller limits.
constexpr size_t kMaxRequestBytes = 4u << 20;
constexpr size_t kWorkers = 32;

}  // namespace

int main(int argc, char** argv) {
    using namespace zentrix::server;
    std::string dbFile, certFile, keyFile, updatesDir, host = "0.0.0.0";
    int port = 0;
    bool seed = false;
    CLI::App app("Zentrix catalog service: scenarios, systems and update files", "zentrix-server");
    app.add_option("--db", dbFile, "SQLite database file (created when missing)")->required();
    app.add_option("--port", port, "TCP port")->required()->check(CLI::Range(1, 65535));
    app.add_option("--host", host, "address to listen on")->capture_default_str();
    app.add_option("--cert", certFile, "TLS certificate (PEM); without it plain HTTP")
        ->check(CLI::ExistingFile);
    app.add_option("--key", keyFile, "TLS private key (PEM)")->check(CLI::ExistingFile);
    app.add_option("--updates", updatesDir, "folder served read-only under /updates/")
        ->check(CLI::ExistingDirectory);
    app.add_flag("--seed-examples", seed, "load a few example scenarios and one system");
    CLI11_PARSE(app, argc, argv);
    if (certFile.empty() != keyFile.empty()) {
        std::cerr << "zentrix-server: --cert and --key go together\n";
        return 2;
    }
    try {
        TCatalogStore store(dbFile);
        if (seed) SeedExamples(store);
        std::unique_ptr<httplib::Server> server;
        if (certFile.empty())
            server = std::make_unique<httplib::Server>();
        else
            server = std::make_unique<httplib::SSLServer>(certFile.c_str(), keyFile.c_str());
        if (!server->is_valid()) {
            std::cerr << "zentrix-server: the certificate or key cannot be used\n";
            return 1;
        }
        server->set_payload_max_length(kMaxRequestBytes);
        // Requests wait on one database lock anyway; more workers than that keep slow clients
        // (handshakes, keep-alive) from holding up the others.
        server->new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
        for (const auto& path : ServicePaths())
            server->Post(path, [&store, path](const httplib::Request& req, httplib::Response& res) {
                TFormFields fields(req.params.begin(), req.params.end());
                res.set_content(HandleServiceRequest(store, path, fields), "text/plain");
            });
        if (!updatesDir.empty() &&
            !server->set_mount_point("/updates", std::filesystem::absolute(updatesDir).string()))
            throw std::runtime_error("the updates folder cannot be served: " + updatesDir);
        server->set_exception_handler(
            [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
                res.status = 500;
                res.set_content("<result><row><error>Ошибка сервера</error></row></result>",
                                "text/plain");
            });
        gServer = server.get();
        std::signal(SIGINT, Stop);
        std::signal(SIGTERM, Stop);
        if (!server->bind_to_port(host, port)) {
            std::cerr << "zentrix-server: cannot listen on " << host << ":" << port << "\n";
            return 1;
        }
        std::cout << "zentrix-server: listening on " << host << ":" << port << std::endl;
        server->listen_after_bind();
        gServer = nullptr;
    } catch (const std::exception& e) {
        std::cerr << "zentrix-server: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
