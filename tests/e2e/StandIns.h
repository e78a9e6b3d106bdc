#pragma once
// The stand-in servers that the fixture started for this test run, as its
// state file in the working folder describes them, and their control port.

#include <json/value.h>

#include <string>

#include "tests/support/ServiceHosts.h"

struct StandIns {
    std::string ocrHost;      // "localhost:port": the name the certificate carries
    std::string updateHost;   // "127.0.0.1:port"
    std::string reportHost;   // "127.0.0.1:port"
    std::string accountHost;  // "127.0.0.1:port"
    std::string controlUrl;   // "http://127.0.0.1:port"
    std::wstring authority;   // the authority's PEM as a Windows path
    std::string apiKey;       // the credentials the servers accept
    std::string secretKey;

    // All four hosts and the authority, as an install folder's oem.ini names them.
    ServiceHosts Hosts() const;

    // Queues a scripted answer (a JSON object) on the control port.
    bool Script(const std::string& json) const;
    // The requests one host has received, oldest first.
    Json::Value Requests(const std::string& host) const;
    // How many of those went to path.
    int CountRequests(const std::string& host, const std::string& path) const;
    // Per path, how many requests one host answered itself and the
    // milliseconds it spent: {"/path": {"count": n, "ms": t}}.
    Json::Value Timings(const std::string& host) const;
    // The reports the reporting host stored ("event" or "usage"), each the
    // JSON object the program sent, oldest first.
    Json::Value Reports(const std::string& kind) const;
    // Forgets scripted answers, requests and timings.
    void Reset() const;
};

// Reads "state.json" and "credentials"; members are empty when they are
// missing or incomplete.
StandIns ReadStandIns();
