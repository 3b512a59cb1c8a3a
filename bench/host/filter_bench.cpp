// IsFileWanted with the checked default filters against a plain loop of glibc
// fnmatch over the same patterns, on the names of the benchmark tree.
// Usage: filter_bench NAMES_FILE
#include <fnmatch.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "profile/defaults.h"
#include "scan/filter_set.h"
#include "scan/wildcard.h"

namespace {

using velnor::DefaultFilter;
using velnor::FilterSet;
using velnor::FilterType;

struct Lists {
    std::vector<std::string> includes, exceptions;
};

bool FnmatchWanted(const Lists& lists, const std::string& name) {
    for (const std::string& include : lists.includes) {
        if (fnmatch(include.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
        for (const std::string& exception : lists.exceptions)
            if (fnmatch(exception.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return false;
        return true;
    }
    return false;
}

// The one-pattern-after-another loop as first written, for comparison.
bool LoopWanted(const Lists& lists, const std::string& name) {
    for (const std::string& include : lists.includes) {
        if (!velnor::MatchWildcard(name, include)) continue;
        for (const std::string& exception : lists.exceptions)
            if (velnor::MatchWildcard(name, exception)) return false;
        return true;
    }
    return false;
}

// Nanoseconds per name: passes over all names until a quarter second has gone,
// best of five rounds.
template <typename Test>
double NanosecondsPerName(const std::vector<std::string>& names, Test test, size_t& wanted) {
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        size_t passes = 0, hits = 0;
        const Clock::time_point start = Clock::now();
        double elapsed = 0;
        do {
            for (const std::string& name : names) hits += test(name) ? 1 : 0;
            ++passes;
            elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        } while (elapsed < 0.25);
        wanted = hits / passes;
        const double perName = elapsed * 1e9 / static_cast<double>(passes * names.size());
        if (perName < best) best = perName;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: filter_bench NAMES_FILE\n");
        return 2;
    }
    std::vector<std::string> names;
    std::ifstream in(argv[1], std::ios::binary);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.push_back(line);
    if (names.empty()) {
        std::fprintf(stderr, "no names in %s\n", argv[1]);
        return 2;
    }

    Lists lists;
    FilterSet set;
    for (const DefaultFilter& f : velnor::kDefaultFilters) {
        if (!f.checked) continue;
        if (f.type == FilterType::Exclude) {
            lists.exceptions.push_back(f.pattern);
            set.AddException(f.pattern);
        } else {
            lists.includes.push_back(f.pattern);
            set.AddInclude(f.pattern);
        }
    }

    size_t differences = 0;
    for (const std::string& name : names) {
        const bool ours = set.IsFileWanted(name);
        if (ours != FnmatchWanted(lists, name) || ours != LoopWanted(lists, name)) {
            if (++differences <= 10) std::fprintf(stderr, "answers differ for %s\n", name.c_str());
        }
    }
    if (differences != 0) {
        std::printf("filter_answers_differ: %zu\n", differences);
        return 1;
    }

    size_t wanted = 0, wantedFnmatch = 0, wantedLoop = 0;
    const double fnmatchNs = NanosecondsPerName(names, [&](const std::string& n) { return FnmatchWanted(lists, n); },
                                                wantedFnmatch);
    const double loopNs =
        NanosecondsPerName(names, [&](const std::string& n) { return LoopWanted(lists, n); }, wantedLoop);
    const double oursNs = NanosecondsPerName(names, [&](const std::string& n) { return set.IsFileWanted(n); }, wanted);

    std::printf("filter_names: %zu\n", names.size());
    std::printf("filter_wanted: %zu (%.2f %%)\n", wanted, 100.0 * wanted / names.size());
    std::printf("filter_ns_per_name: IsFileWanted %.1f, fnmatch loop %.1f, one-by-one MatchWildcard %.1f\n", oursNs,
                fnmatchNs, loopNs);
    std::printf("filter_vs_fnmatch: %.3f\n", oursNs / fnmatchNs);
    std::printf("filter_vs_one_by_one: %.3f\n", oursNs / loopNs);
    return 0;
}
