#include "ProtectedFolders.h"

#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include <array>

#include "Win32Io.h"

namespace zam::platform::win32 {

namespace {

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path)
        folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

std::wstring FullPath(const std::wstring& native) {
    std::wstring path = native;
    const DWORD n = ::GetFullPathNameW(native.c_str(), 0, nullptr, nullptr);
    if (n != 0) {
        std::wstring full(n, L'\0');
        const DWORD got = ::GetFullPathNameW(native.c_str(), n, full.data(), nullptr);
        if (got != 0 && got < n) path = full.substr(0, got);
    }
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

// True when `path` lies below `folder` (names compared as the system compares them).
bool IsBelow(const std::wstring& path, std::wstring folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    if (folder.empty() || path.size() <= folder.size() || path[folder.size()] != L'\\') return false;
    return ::CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                  static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

std::string Quoted(const std::wstring& folder) { return "\"" + NarrowText(folder) + "\""; }

constexpr std::array<const KNOWNFOLDERID*, 11> kGuardedFolders = {
    &FOLDERID_Documents,       &FOLDERID_Pictures,       &FOLDERID_Videos,
    &FOLDERID_Music,           &FOLDERID_Favorites,      &FOLDERID_Desktop,
    &FOLDERID_PublicDocuments, &FOLDERID_PublicPictures, &FOLDERID_PublicVideos,
    &FOLDERID_PublicMusic,     &FOLDERID_PublicDesktop};

constexpr std::array<const KNOWNFOLDERID*, 2> kProgramFolders = {&FOLDERID_ProgramFiles,
                                                                 &FOLDERID_ProgramFilesX86};

}  // namespace

std::string ProtectedFolderReason(const std::wstring& native) {
    const std::wstring path = FullPath(native);
    for (const KNOWNFOLDERID* id : kProgramFolders) {
        const std::wstring folder = KnownFolder(*id);
        if (!IsBelow(path, folder)) continue;
        const std::wstring store =
            KnownFolder(FOLDERID_LocalAppData) + L"\\VirtualStore" + path.substr(2);
        return "Windows refused the change (access denied): the file is below " + Quoted(folder) +
               ", which only administrators may change. The simulator, an old program, has its "
               "own changes there kept in a copy below " + Quoted(store.substr(0, store.rfind(L'\\'))) +
               " instead, so ZAM+ and GPL would not see the same files. Install GPL in a folder "
               "of your own, such as C:\\Sierra\\GPL.";
    }
    for (const KNOWNFOLDERID* id : kGuardedFolders) {
        const std::wstring folder = KnownFolder(*id);
        if (!IsBelow(path, folder)) continue;
        return "Windows refused the change (access denied): the file is in " + Quoted(folder) +
               ", which Windows' Controlled folder access guards against programs it does not "
               "know. Allow this program in Windows Security (Virus & threat protection, Manage "
               "ransomware protection, Allow an app through Controlled folder access), or move "
               "GPL out of that folder.";
    }
    return {};
}

}  // namespace zam::platform::win32
