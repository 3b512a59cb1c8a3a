#include "tests/fakes/fake_platform.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "tests/fakes/windows_1252.h"

namespace velnor::testing {

namespace {

std::string Parent(const std::string& key) {
    const size_t slash = key.find_last_of('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

std::string LastPart(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

FakeFileSystem::FakeFileSystem() {
    drives.push_back(Drive{"C:\\", kDriveFixed, 80ull << 30, 20ull << 30});
}

std::string FakeFileSystem::Key(const std::string& path) {
    std::string key;
    key.reserve(path.size());
    for (char c : path) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        key.push_back(c);
    }
    while (key.size() > 2 && key.back() == '\\') key.pop_back();
    if (key.size() == 3 && key[1] == ':' && key[2] == '\\') key.pop_back();
    return key;
}

FakeFileSystem::Node* FakeFileSystem::FindMutable(const std::string& path) {
    auto it = nodes_.find(Key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Node* FakeFileSystem::Find(const std::string& path) const {
    auto it = nodes_.find(Key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::Exists(const std::string& path) const { return Find(path) != nullptr; }

FakeFileSystem::Node& FakeFileSystem::Ensure(const std::string& path, uint32_t attributes) {
    const std::string key = Key(path);
    auto it = nodes_.find(key);
    if (it != nodes_.end()) return it->second;
    const std::string parent = Parent(key);
    if (!parent.empty()) {
        Node& p = Ensure(path.substr(0, std::min(path.size(), parent.size())), kAttrDirectory);
        p.children.push_back(key);
    }
    Node& node = nodes_[key];
    node.name = LastPart(path);
    node.attributes = attributes;
    return node;
}

void FakeFileSystem::AddFolder(const std::string& path, uint32_t attributes) {
    Ensure(path, attributes | kAttrDirectory).attributes = attributes | kAttrDirectory;
}

void FakeFileSystem::AddFile(const std::string& path, uint64_t size, uint32_t attributes, uint64_t lastWriteTime) {
    Node& node = Ensure(path, attributes);
    node.attributes = attributes;
    node.size = size;
    node.lastWriteTime = lastWriteTime;
}

void FakeFileSystem::SetText(const std::string& path, const std::string& text) {
    Node& node = Ensure(path, 0);
    node.content = text;
    node.size = RawText(path).size();
}

void FakeFileSystem::SetHiddenLink(const std::string& path) {
    if (Node* node = FindMutable(path)) node->hiddenLink = true;
}

void FakeFileSystem::SetLocked(const std::string& path, bool locked) {
    if (Node* node = FindMutable(path)) node->locked = locked;
}

std::optional<uint32_t> FakeFileSystem::Attributes(const std::string& path) {
    const Node* node = Find(path);
    if (!node) return std::nullopt;
    return node->attributes;
}

bool FakeFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    Node* node = FindMutable(path);
    if (!node) return false;
    node->attributes = attributes;
    return true;
}

std::string FakeFileSystem::RawText(const std::string& path) const {
    const Node* node = Find(path);
    if (!node) return std::string();
    std::string raw;
    for (char c : node->content) {
        if (c == '\n') raw.push_back('\r');
        raw.push_back(c);
    }
    return raw;
}

void FakeFileSystem::Remove(const std::string& path) {
    const std::string key = Key(path);
    auto it = nodes_.find(key);
    if (it == nodes_.end()) return;
    for (const std::string& child : std::vector<std::string>(it->second.children)) Remove(child);
    nodes_.erase(key);
    if (Node* parent = FindMutable(Parent(key))) {
        auto& c = parent->children;
        c.erase(std::remove(c.begin(), c.end(), key), c.end());
    }
}

bool FakeFileSystem::Enumerate(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry) {
    ++enumerateCount;
    enumeratedPatterns.push_back(pattern);
    const size_t slash = pattern.find_last_of("\\/");
    if (slash != std::string::npos && pattern.find_first_of("*?", slash + 1) == std::string::npos) {
        // A plain path finds just that entry, as FindFirstFileA does.
        const Node* node = Find(pattern);
        if (!node) return false;
        FindData data;
        data.name = node->name;
        data.attributes = node->attributes;
        data.size = node->size;
        data.lastWriteTime = node->lastWriteTime;
        onEntry(data);
        return true;
    }
    if (slash == std::string::npos || pattern.substr(slash + 1) != "*.*") return false;
    const Node* folder = Find(pattern.substr(0, slash));
    if (!folder || !(folder->attributes & kAttrDirectory)) return false;
    const std::vector<std::string> children = folder->children;  // the callback may change the tree
    FindData dot;
    dot.name = ".";
    dot.attributes = kAttrDirectory;
    if (!onEntry(dot)) return true;
    dot.name = "..";
    if (!onEntry(dot)) return true;
    for (const std::string& key : children) {
        const Node* node = Find(key);
        if (!node) continue;
        FindData data;
        data.name = node->name;
        data.attributes = node->attributes;
        data.size = node->size;
        data.lastWriteTime = node->lastWriteTime;
        if (!onEntry(data)) break;
    }
    return true;
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
    Node* node = FindMutable(path);
    if (!node || (node->attributes & kAttrDirectory) || node->locked || (node->attributes & kAttrReadOnly) ||
        LeadsElsewhere(path))
        return false;
    deleted.push_back(path);
    Remove(path);
    return true;
}

namespace {

class FakeDeletionsInTurn : public IDeletionsInTurn {
public:
    FakeDeletionsInTurn(FakeFileSystem& files, std::vector<std::string> paths)
        : files_(files), paths_(std::move(paths)) {}
    bool DeleteNext() override { return next_ < paths_.size() && files_.DeleteFile(paths_[next_++]); }

private:
    FakeFileSystem& files_;
    std::vector<std::string> paths_;
    size_t next_ = 0;
};

class FakeListingsInTurn : public IListingsInTurn {
public:
    explicit FakeListingsInTurn(FakeFileSystem& files) : files_(files) {}
    bool Add(const std::string& pattern) override {
        if (waiting_.size() == FakeFileSystem::kListedAhead) return false;
        waiting_.push_back(pattern);
        return true;
    }
    bool ListNext(const std::string& pattern, const std::function<bool(const FindData&)>& onEntry,
                  const std::function<bool()>& /*whileWaiting*/) override {
        if (waiting_.empty() || waiting_.front() != pattern) {
            ++files_.listingsOutOfTurn;
            waiting_.clear();
        } else {
            waiting_.pop_front();
        }
        const std::string folder = pattern.substr(0, pattern.find_last_of('\\'));
        const FakeFileSystem::Node* node = files_.Find(folder);
        if (node && (node->attributes & kAttrReparsePoint)) return false;
        return files_.Enumerate(pattern, onEntry);
    }

private:
    FakeFileSystem& files_;
    std::deque<std::string> waiting_;
};

}  // namespace

std::unique_ptr<IListingsInTurn> FakeFileSystem::ListInTurn() { return std::make_unique<FakeListingsInTurn>(*this); }

std::unique_ptr<IDeletionsInTurn> FakeFileSystem::DeleteInTurn(std::vector<std::string> paths) {
    return std::make_unique<FakeDeletionsInTurn>(*this, std::move(paths));
}

bool FakeFileSystem::RemoveFolder(const std::string& path) {
    const Node* node = Find(path);
    if (!node || !(node->attributes & kAttrDirectory) || (node->attributes & kAttrReparsePoint) ||
        !node->children.empty())
        return false;
    Remove(path);
    return true;
}

bool FakeFileSystem::LeadsElsewhere(const std::string& path) {
    const Node* node = Find(path);
    return node && !(node->attributes & kAttrDirectory) && (node->hiddenLink || (node->attributes & kAttrReparsePoint));
}

std::vector<std::string> FakeFileSystem::LogicalDriveStrings(size_t bufferChars) {
    std::vector<std::string> roots;
    size_t used = 1;
    for (const Drive& d : drives) {
        used += d.root.size() + 1;
        if (used > bufferChars) break;
        roots.push_back(d.root);
    }
    return roots;
}

int FakeFileSystem::DriveType(const std::string& root) {
    for (const Drive& d : drives)
        if (Key(d.root) == Key(root)) return d.type;
    return 1;  // no root directory
}

bool FakeFileSystem::DiskSpace(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) {
    for (const Drive& d : drives) {
        if (Key(d.root) != Key(root) || d.spaceQueryFails) continue;
        totalBytes = d.total;
        freeBytes = d.free;
        return true;
    }
    return false;
}

bool FakeFileSystem::CanOpenForUpdate(const std::string& path) {
    const Node* node = Find(path);
    return node && !(node->attributes & (kAttrDirectory | kAttrReadOnly)) && !node->locked;
}

std::optional<std::string> FakeFileSystem::ReadTextFile(const std::string& path) {
    if (!CanOpenForUpdate(path)) return std::nullopt;
    return Find(path)->content;
}

bool FakeFileSystem::ReplaceTextFile(const std::string& path, const std::string& text) {
    const Node* node = Find(path);
    if (node && !CanOpenForUpdate(path)) return false;
    if (!Find(Parent(Key(path)))) return false;
    ++replaceCount;
    SetText(path, text);
    return true;
}

namespace {

// The file that a plain path reaches: Windows drops trailing blanks and dots
// from every name in it.
std::string PlainPathTarget(const std::string& path) {
    std::string target;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string::npos) end = path.size();
        std::string name = path.substr(start, end - start);
        if (name != "." && name != "..")
            while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
        target += name;
        if (end < path.size()) target += path[end];
        start = end + 1;
    }
    return target;
}

}  // namespace

int FakeShell::DeleteFiles(const std::string& doubleNulList, unsigned flags) {
    DeleteCall call{{}, flags};
    size_t start = 0;
    while (start < doubleNulList.size() && doubleNulList[start] != '\0') {
        const size_t end = doubleNulList.find('\0', start);
        call.paths.push_back(doubleNulList.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (const std::string& path : call.paths) {
        if (inUse.count(path)) {
            deleteCalls.push_back(call);
            return kShellSharingViolation;
        }
        if (files && stopAtMissingFile && path.find_first_of("*?") == std::string::npos && !files->Exists(path)) {
            deleteCalls.push_back(call);
            return kShellFileNotFound;
        }
        const std::string target = PlainPathTarget(path);
        if (!files || path.find_first_of("*?") != std::string::npos || !files->Exists(target)) continue;
        if (flags & kFofAllowUndo) recycled.push_back(target);
        files->Remove(target);
    }
    deleteCalls.push_back(std::move(call));
    return 0;
}

bool FakeShell::QueryRecycleBin(const std::string& root, uint64_t& bytes) {
    auto it = recycleBins.find(root);
    if (it == recycleBins.end()) return false;
    bytes = it->second;
    return true;
}

long FakeShell::EmptyRecycleBin(unsigned flags) {
    ++emptyCalls;
    lastEmptyFlags = flags;
    for (auto& bin : recycleBins) bin.second = 0;
    return 0;
}

std::optional<std::string> FakeShell::SpecialFolderPath(int csidl) {
    if (onSpecialFolder) onSpecialFolder();
    auto it = specialFolders.find(csidl);
    if (it == specialFolders.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> FakeShell::DisplayName(const std::string& path) {
    auto it = displayNames.find(path);
    if (it == displayNames.end()) return std::nullopt;
    return it->second;
}

void FakeShell::Execute(const std::string& verb, const std::string& target, int showCommand) {
    executed.push_back(verb + "|" + target + "|" + std::to_string(showCommand));
}

int FakePrompts::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    questions.push_back(Question{text, caption, flags});
    if (answers.empty()) return kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakePrompts::ChooseFolder() {
    if (folders.empty()) return std::nullopt;
    std::optional<std::string> folder = folders.front();
    folders.pop_front();
    return folder;
}

std::optional<double> FakeLocale::ParseDate(const std::string& text) {
    int mo, d, y, h, mi, s;
    if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d", &mo, &d, &y, &h, &mi, &s) != 6) return std::nullopt;
    return ((((y * 12.0 + mo) * 31 + d) * 24 + h) * 60 + mi) * 60 + s;
}

std::string FakeLocale::FormatModified(uint64_t fileTime) {
    const std::time_t t = static_cast<std::time_t>(fileTime / 10000000ull) - 11644473600ll;
    std::tm tm{};
    if (!gmtime_r(&t, &tm)) return std::string();
    char text[128];
    if (std::strftime(text, sizeof text, "%m/%d/%y %H:%M:%S", &tm) == 0) return std::string();
    return text;
}

std::string FakeLocale::Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string FakeLocale::LegacyAnsiToUtf8(const std::string& text) { return Windows1252ToUtf8(text); }

bool FakeUrlCache::Give(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry, uint32_t& error) {
    if (next_ >= entries.size()) {
        error = kErrorNoMoreItems;
        return false;
    }
    const uint32_t needed = static_cast<uint32_t>(80 + entries[next_].sourceUrlName.size() + 1);
    if (insufficientBufferReplies > 0 || bufferSize < needed) {
        if (insufficientBufferReplies > 0) --insufficientBufferReplies;
        bufferSize = std::max<uint32_t>(needed, bufferSize + 1024);
        error = kErrorInsufficientBuffer;
        return false;
    }
    (void)buffer;
    entry = entries[next_++];
    return true;
}

IUrlCache::Handle FakeUrlCache::FindFirst(std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                                          uint32_t& error) {
    if (failStart) {
        error = failError;
        return nullptr;
    }
    next_ = 0;
    if (!Give(buffer, bufferSize, entry, error)) return nullptr;
    return this;
}

bool FakeUrlCache::FindNext(Handle, std::vector<uint8_t>& buffer, uint32_t& bufferSize, UrlCacheEntry& entry,
                            uint32_t& error) {
    return Give(buffer, bufferSize, entry, error);
}

bool FakeUrlCache::DeleteEntry(const std::string& sourceUrlName) {
    deletedEntries.push_back(sourceUrlName);
    if (undeletable.count(sourceUrlName)) return false;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->sourceUrlName != sourceUrlName) continue;
        const size_t index = static_cast<size_t>(it - entries.begin());
        entries.erase(it);
        if (index < next_) --next_;
        return true;
    }
    return false;
}

FakePlatform::FakePlatform() { shell.files = &files; }

Platform FakePlatform::Services() {
    Platform p;
    p.files = &files;
    p.shell = &shell;
    p.urlCache = &urlCache;
    p.urlHistory = &urlHistory;
    p.prompts = &prompts;
    p.pump = &pump;
    p.locale = &locale;
    p.help = &help;
    p.processes = &processes;
    return p;
}

void TestMainDialog::Start() {
    InitializeState();
    LayoutControls();
    LoadProfileAndLists();
}

}  // namespace velnor::testing
