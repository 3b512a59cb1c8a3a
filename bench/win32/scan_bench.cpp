// The scan walk with a fresh profile's filters and exclusions against a bare
// breadth-first FindFirstFileA/FindNextFileA walk of the same tree.
// Usage: scan_bench ROOT [ROUNDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>

#include "app/main_dialog_parts.h"
#include "bench/win32/bench_walk.h"
#include "platform/win32/win32_platform.h"
#include "profile/profile.h"

namespace {

using bench::BareWalk;
using bench::Counts;
using bench::Seconds;

class ScanRunner {
public:
    explicit ScanRunner(const std::string& root) {
        services_.files = &files_;
        services_.locale = &locale_;
        services_.pump = &pump_;
        model_ = std::make_unique<velnor::MainDialogParts>(services_);
        model_->LayoutControls();
        model_->scan.SetupResultList();
        model_->store.FillDefaultFilters();
        model_->store.FillDefaultExclusions();
        const velnor::ScanOptions options = velnor::ScanOptions::FileDefaults();
        for (int i = 0; i < velnor::ScanOptions::kCount; ++i) {
            const auto flag = static_cast<velnor::ScanOptions::Flag>(i);
            model_->options.SetOption(flag, options[flag]);
        }
        model_->profile.locations.InsertRow(0, velnor::MakeFolderLocation(root, true));
    }
    int Run() {
        model_->scan.OnStartScan();
        return model_->results.RowCount();
    }

private:
    velnor::Win32FileSystem files_;
    velnor::Win32Locale locale_;
    velnor::Win32MessagePump pump_;
    velnor::Platform services_;
    std::unique_ptr<velnor::MainDialogParts> model_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scan_bench ROOT [ROUNDS]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    ScanRunner scan(root);

    // One of each first, so that both meet a warm cache.
    const Counts counts = BareWalk(root);
    const int rows = scan.Run();
    double bestBare = 1e300, bestScan = 1e300;
    for (int round = 0; round < rounds; ++round) {
        double start = Seconds();
        BareWalk(root);
        const double bare = Seconds() - start;
        start = Seconds();
        scan.Run();
        const double walk = Seconds() - start;
        if (bare < bestBare) bestBare = bare;
        if (walk < bestScan) bestScan = walk;
    }
    std::printf("tree_folders: %llu\n", counts.folders);
    std::printf("tree_files: %llu\n", counts.files);
    std::printf("scan_rows: %d\n", rows);
    std::printf("enumeration_seconds: %.3f\n", bestBare);
    std::printf("scan_seconds: %.3f\n", bestScan);
    std::printf("scan_vs_enumeration: %.3f\n", bestScan / bestBare);
    return counts.files >= 100000 && counts.folders >= 10000 ? 0 : 1;
}
