#include "app/entry/LayoutArchive.h"

namespace {

constexpr int kLayoutArchiveId = 201;

}  // namespace

std::string_view LoadLayoutArchive(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(kLayoutArchiveId), L"DATA");
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    // A loaded resource stays mapped for the life of the module.
    return {static_cast<const char*>(bytes), SizeofResource(instance, found)};
}
