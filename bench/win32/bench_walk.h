#pragma once
// What the Windows benchmarks share: a precise clock and the bare breadth-first
// FindFirstFileA/FindNextFileA walk that the scans are measured against.
#include <windows.h>

#include <deque>
#include <string>

namespace bench {

inline double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Counts {
    unsigned long long folders = 0, files = 0;
};

inline Counts BareWalk(const std::string& root) {
    Counts counts;
    std::deque<std::string> queue{root};
    WIN32_FIND_DATAA data;
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        const std::string pattern = folder + "\\*.*";
        HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        ++counts.folders;
        do {
            const char* name = data.cFileName;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                queue.push_back(folder + "\\" + name);
            else
                ++counts.files;
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    return counts;
}

}  // namespace bench
