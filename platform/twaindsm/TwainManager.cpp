// A TWAIN data source manager for the tests, installed as "TWAINDSM.dll"
// beside the program while a test wants the program's new-manager path. Its
// sources are the "*.ds" files of its own folder. It opens and closes itself,
// lists the sources, names the default (the first), and opens, closes and
// passes every other triplet to the open source. Instead of a window of its
// own, the user's choice is scripted by "TwainManager.ini" beside it,
// section [Manager]:
//   Choose=2     the user picks the second source (0: the user cancels)
// What the application asked of the manager itself goes, a line each, to
// "TwainManager.log" beside it: OPENDSM, CLOSEDSM, USERSELECT, OPENDS name,
// CLOSEDS name.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/twaindsm/TwainStandard.h"

namespace {

using DsEntryProc = uint16_t(WINAPI*)(TwIdentity*, uint32_t, uint16_t, uint16_t, void*);

struct Source {
    std::string path;
    TwIdentity identity;
};

struct OpenSource {
    HMODULE library = nullptr;
    DsEntryProc entry = nullptr;
    TwIdentity identity = {};
};

struct Manager {
    bool open = false;
    uint16_t condition = 0;
    std::vector<Source> sources;
    size_t next = 0;  // the source MSG_GETNEXT gives
    OpenSource source;
    uint32_t lastId = 0;
} g_manager;

std::string OwnFolder() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&OwnFolder), &module);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    const std::string file = path;
    return file.substr(0, file.find_last_of('\\') + 1);
}

void Log(const std::string& line) {
    if (FILE* log = std::fopen((OwnFolder() + "TwainManager.log").c_str(), "ab")) {
        std::fprintf(log, "%s\r\n", line.c_str());
        std::fclose(log);
    }
}

uint16_t Fail(uint16_t condition) {
    g_manager.condition = condition;
    return twain::kFailure;
}

std::string NameOf(const TwIdentity& identity) {
    return std::string(identity.productName,
                       strnlen(identity.productName, sizeof(identity.productName)));
}

// Asks each "*.ds" file of the folder for its identity.
std::vector<Source> FindSources(TwIdentity& application) {
    std::vector<Source> sources;
    const std::string folder = OwnFolder();
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "*.ds").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return sources;
    do {
        Source source = {folder + found.cFileName, {}};
        HMODULE library = LoadLibraryA(source.path.c_str());
        if (!library) continue;
        auto entry = reinterpret_cast<DsEntryProc>(
            reinterpret_cast<void*>(GetProcAddress(library, "DS_Entry")));
        if (entry && entry(&application, twain::kControl, twain::kDatIdentity, twain::kGet,
                           &source.identity) == twain::kSuccess) {
            source.identity.id = ++g_manager.lastId;
            sources.push_back(source);
        }
        FreeLibrary(library);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return sources;
}

uint16_t Give(const Source& source, TwIdentity& identity) {
    identity = source.identity;
    return twain::kSuccess;
}

int ScriptedChoice() {
    return static_cast<int>(
        GetPrivateProfileIntA("Manager", "Choose", 1, (OwnFolder() + "TwainManager.ini").c_str()));
}

uint16_t OpenDataSource(TwIdentity& application, TwIdentity& wanted) {
    if (g_manager.source.entry) return Fail(twain::kConditionMaxConnections);
    // By id when the application kept one, else by name; an empty identity
    // means the default.
    const Source* match = nullptr;
    for (const Source& source : g_manager.sources) {
        if ((wanted.id != 0 && wanted.id == source.identity.id) ||
            (wanted.id == 0 &&
             (wanted.productName[0] == '\0' || NameOf(wanted) == NameOf(source.identity)))) {
            match = &source;
            break;
        }
    }
    if (!match) return Fail(twain::kConditionNoDs);
    OpenSource opened;
    opened.library = LoadLibraryA(match->path.c_str());
    opened.entry = opened.library ? reinterpret_cast<DsEntryProc>(reinterpret_cast<void*>(
                                        GetProcAddress(opened.library, "DS_Entry")))
                                  : nullptr;
    opened.identity = match->identity;
    if (!opened.entry || opened.entry(&application, twain::kControl, twain::kDatIdentity,
                                      twain::kOpenDs, &opened.identity) != twain::kSuccess) {
        if (opened.library) FreeLibrary(opened.library);
        return Fail(twain::kConditionBummer);
    }
    opened.identity.id = match->identity.id;
    wanted = opened.identity;
    g_manager.source = opened;
    Log("OPENDS " + NameOf(wanted));
    return twain::kSuccess;
}

uint16_t CloseDataSource(TwIdentity& application, TwIdentity& identity) {
    OpenSource& source = g_manager.source;
    if (!source.entry || identity.id != source.identity.id) return Fail(twain::kConditionSeqError);
    source.entry(&application, twain::kControl, twain::kDatIdentity, twain::kCloseDs, &identity);
    FreeLibrary(source.library);
    Log("CLOSEDS " + NameOf(source.identity));
    source = OpenSource();
    return twain::kSuccess;
}

uint16_t Identity(TwIdentity& application, uint16_t message, TwIdentity& identity) {
    std::vector<Source>& sources = g_manager.sources;
    switch (message) {
        case twain::kGetFirst:
            g_manager.next = 0;
            [[fallthrough]];
        case twain::kGetNext:
            if (g_manager.next >= sources.size()) return twain::kEndOfList;
            return Give(sources[g_manager.next++], identity);
        case twain::kGetDefault:
            if (sources.empty()) return Fail(twain::kConditionNoDs);
            return Give(sources.front(), identity);
        case twain::kUserSelect: {
            Log("USERSELECT");
            const int choice = ScriptedChoice();
            if (choice <= 0) return twain::kCancel;
            if (static_cast<size_t>(choice) > sources.size()) return Fail(twain::kConditionNoDs);
            return Give(sources[static_cast<size_t>(choice) - 1], identity);
        }
        case twain::kOpenDs:
            return OpenDataSource(application, identity);
        case twain::kCloseDs:
            return CloseDataSource(application, identity);
        default:
            return Fail(twain::kConditionBummer);
    }
}

uint16_t Parent(TwIdentity& application, uint16_t message) {
    if (message == twain::kOpenDsm) {
        if (g_manager.open) return Fail(twain::kConditionSeqError);
        if (application.id == 0) application.id = ++g_manager.lastId;
        g_manager.open = true;
        g_manager.sources = FindSources(application);
        Log("OPENDSM");
        return twain::kSuccess;
    }
    if (message == twain::kCloseDsm) {
        if (!g_manager.open || g_manager.source.entry) return Fail(twain::kConditionSeqError);
        g_manager.open = false;
        g_manager.sources.clear();
        Log("CLOSEDSM");
        return twain::kSuccess;
    }
    return Fail(twain::kConditionBummer);
}

}  // namespace

extern "C" __declspec(dllexport) uint16_t WINAPI
    DSM_Entry(TwIdentity* origin, TwIdentity* destination, uint32_t group, uint16_t dat,
              uint16_t message, void* data) {
    if (!origin) return twain::kFailure;
    if (destination) {
        // For the open source, whatever it is.
        const OpenSource& source = g_manager.source;
        if (!source.entry || destination->id != source.identity.id)
            return Fail(twain::kConditionSeqError);
        return source.entry(origin, group, dat, message, data);
    }
    if (group != twain::kControl || !data) return Fail(twain::kConditionBummer);
    if (dat == twain::kDatStatus) {
        *static_cast<TwStatus*>(data) = {g_manager.condition, 0};
        g_manager.condition = 0;
        return twain::kSuccess;
    }
    if (dat == twain::kDatParent) return Parent(*origin, message);
    if (!g_manager.open) return Fail(twain::kConditionSeqError);
    if (dat == twain::kDatIdentity)
        return Identity(*origin, message, *static_cast<TwIdentity*>(data));
    return Fail(twain::kConditionBummer);
}
