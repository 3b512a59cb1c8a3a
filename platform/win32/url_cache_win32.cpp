#include "platform/win32/url_cache_win32.h"

#include <windows.h>
#include <objbase.h>
#include <urlhist.h>
#include <wininet.h>

#include <cstring>

namespace velnor {

namespace {

// Spelled out here so that the program needs no GUID library for them.
constexpr GUID kClsidUrlHistory = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
constexpr GUID kIidUrlHistoryStg2 = {0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

// The platform writes the entry and the strings it points to into the
// caller's buffer; the size is the room it may use.
INTERNET_CACHE_ENTRY_INFOA* Room(std::vector<uint8_t>& buffer, uint32_t bufferSize) {
    if (buffer.size() < bufferSize) buffer.resize(bufferSize);
    if (buffer.size() < sizeof(DWORD)) buffer.resize(sizeof(DWORD));
    DWORD structSize = 0;
    std::memcpy(&structSize, buffer.data(), sizeof structSize);
    if (structSize == 0) {
        structSize = static_cast<DWORD>(buffer.size());
        std::memcpy(buffer.data(), &structSize, sizeof structSize);
    }
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
}

void Read(const INTERNET_CACHE_ENTRY_INFOA* info, UrlCacheEntry& entry) {
    entry.sourceUrlName = info->lpszSourceUrlName ? info->lpszSourceUrlName : "";
    entry.entryType = info->CacheEntryType;
}

}  // namespace

IUrlCache::Handle Win32UrlCache::FindFirst(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                                           uint32_t& error) {
    INTERNET_CACHE_ENTRY_INFOA* info = Room(buffer, bufferSize);
    DWORD size = bufferSize;
    HANDLE walk = ::FindFirstUrlCacheEntryA(nullptr, info, &size);
    if (!walk) {
        error = ::GetLastError();
        bufferSize = size;
        return nullptr;
    }
    Read(info, entry);
    return walk;
}

bool Win32UrlCache::FindNext(Handle walk, std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                             uint32_t& error) {
    INTERNET_CACHE_ENTRY_INFOA* info = Room(buffer, bufferSize);
    DWORD size = bufferSize;
    if (!::FindNextUrlCacheEntryA(walk, info, &size)) {
        error = ::GetLastError();
        bufferSize = size;
        return false;
    }
    Read(info, entry);
    return true;
}

void Win32UrlCache::FindClose(Handle walk) {
    if (walk) ::FindCloseUrlCache(walk);
}

bool Win32UrlCache::DeleteEntry(const std::string& sourceUrlName) {
    return ::DeleteUrlCacheEntryA(sourceUrlName.c_str()) != FALSE;
}

long Win32UrlHistory::ClearHistory() {
    // The program's thread already has COM (OLE) set up; this call then only
    // adds one to the count, and only a successful call is balanced.
    const HRESULT init = ::CoInitialize(nullptr);
    IUrlHistoryStg2* history = nullptr;
    HRESULT result = ::CoCreateInstance(kClsidUrlHistory, nullptr, CLSCTX_INPROC_SERVER, kIidUrlHistoryStg2,
                                        reinterpret_cast<void**>(&history));
    if (SUCCEEDED(result) && history) {
        result = history->ClearHistory();
        history->Release();
    }
    if (SUCCEEDED(init)) ::CoUninitialize();
    return static_cast<long>(result);
}

}  // namespace velnor
