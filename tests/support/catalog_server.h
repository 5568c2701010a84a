#pragma once

#include <string>

namespace zentrix::test {

// The zentrix-server program on a free port of 127.0.0.1 over HTTPS with the test CA, on a
// database in its own folder; stopped with the object.
class TCatalogServer {
  public:
    // updatesDir: served under "/updates/" when not empty. https false: plain HTTP, as behind a
    // reverse proxy.
    explicit TCatalogServer(const std::string& updatesDir = "", bool seedExamples = false,
                            bool https = true);
    ~TCatalogServer();
    TCatalogServer(const TCatalogServer&) = delete;
    TCatalogServer& operator=(const TCatalogServer&) = delete;

    std::string Url() const;
    const std::string& DbFile() const { return dbFile_; }
    // Stops the program (a later request finds nothing listening).
    void Stop();

  private:
    std::string folder_, dbFile_;
    int pid_ = -1;
    int port_ = 0;
    bool https_ = true;
};

}  // namespace zentrix::test
