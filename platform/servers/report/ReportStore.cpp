#include "platform/servers/report/ReportStore.h"

namespace pimlo::servers {

namespace {

constexpr char kSchema[] = R"sql(
CREATE TABLE IF NOT EXISTS event_reports (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    received_at TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP,
    type_id INTEGER NOT NULL,
    ad_id INTEGER NOT NULL,
    channel_code TEXT NOT NULL,
    machine_code TEXT NOT NULL,
    os TEXT NOT NULL,
    os_bit INTEGER NOT NULL,
    version TEXT NOT NULL,
    json TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS usage_reports (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    received_at TEXT NOT NULL DEFAULT CURRENT_TIMESTAMP,
    account TEXT NOT NULL,
    agent_id INTEGER NOT NULL,
    date TEXT NOT NULL,
    times INTEGER NOT NULL,
    type_id INTEGER NOT NULL,
    json TEXT NOT NULL
);
)sql";

}  // namespace

ReportStore::ReportStore(const std::string& path) : database_(path) { database_.Execute(kSchema); }

int64_t ReportStore::AddEvent(const EventReport& report, const std::string& json) {
    std::lock_guard<std::mutex> lock(mutex_);
    database_
        .Prepare(
            "INSERT INTO event_reports (type_id, ad_id, channel_code, machine_code, os, os_bit, "
            "version, json) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)")
        .Bind(1, report.typeId)
        .Bind(2, report.adId)
        .Bind(3, report.channelCode)
        .Bind(4, report.machineCode)
        .Bind(5, report.os)
        .Bind(6, report.osBit)
        .Bind(7, report.version)
        .Bind(8, json)
        .Step();
    return database_.LastInsertedRow();
}

int64_t ReportStore::AddUsage(const UsageReport& report, const std::string& json) {
    std::lock_guard<std::mutex> lock(mutex_);
    database_
        .Prepare(
            "INSERT INTO usage_reports (account, agent_id, date, times, type_id, json) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, report.account)
        .Bind(2, report.agentId)
        .Bind(3, report.date)
        .Bind(4, report.times)
        .Bind(5, report.typeId)
        .Bind(6, json)
        .Step();
    return database_.LastInsertedRow();
}

std::vector<std::string> ReportStore::Received(bool usage) {
    std::lock_guard<std::mutex> lock(mutex_);
    SqliteStatement rows = database_.Prepare(usage ? "SELECT json FROM usage_reports ORDER BY id"
                                                   : "SELECT json FROM event_reports ORDER BY id");
    std::vector<std::string> received;
    while (rows.Step()) received.push_back(rows.Text(0));
    return received;
}

}  // namespace pimlo::servers
