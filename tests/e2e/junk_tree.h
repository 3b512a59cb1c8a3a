#pragma once
// The generated tree that the scan and clean scenarios work on: junk in every
// script, decoys one character away, excluded folders, read-only, hidden and
// system files, and a directory link out of the tree.
#include <string>
#include <vector>

#include "tests/e2e/e2e_driver.h"

namespace velnor::e2e {

// One planned file of the tree and what the user is expected to see of it.
struct Planned {
    std::wstring path;  // relative to the tree
    DWORD attributes = 0;
    enum Fate { kListed, kUnchecked, kNotListed } fate = kNotListed;
};

class JunkTree {
public:
    explicit JunkTree(const Workspace& workspace)
        // The chosen folder's own name is Greek and Japanese (in small
        // letters: the walk lower-cases the location).
        : root_(workspace / "JunkTree-\xcf\x86\xce\xac\xce\xba\xce\xb5\xce\xbb\xce\xbf\xcf\x82-\xe6\x97\xa5\xe6\x9c\xac"),
          outside_(workspace / "Outside") {
        // Listed and left checked: these go.
        Add(L"a.tmp", Planned::kListed);
        Add(L"e.TMP", Planned::kListed);
        Add(L"notes.temp", Planned::kListed);
        Add(L"cache.tmp", Planned::kListed);
        Add(L"Sub\\c.old", Planned::kListed);
        Add(L"Sub\\~lock.doc", Planned::kListed);
        Add(L"Sub\\Deep\\d.chk", Planned::kListed);
        Add(L"ab.tmp", Planned::kListed);          // what "??.tmp" would match
        Add(L"abcde\\y.tmp", Planned::kListed);    // a folder "?????" would match
        Add(L"hidden.tmp", Planned::kListed, FILE_ATTRIBUTE_HIDDEN);
        Add(L"readonly.tmp", Planned::kListed, FILE_ATTRIBUTE_READONLY);
        // Names in any script, in folders named the same way: Greek, Japanese,
        // Chinese, an emoji (outside the basic plane) and Cyrillic.
        Add(L"\x0391\x03c1\x03c7\x03b5\x03af\x03bf.tmp", Planned::kListed);
        Add(L"\x03a6\x03ac\x03ba\x03b5\x03bb\x03bf\x03c2\\\x03b1.tmp", Planned::kListed);
        Add(L"\x03b1\x03bd\x03ac\x03b3\x03bd\x03c9\x03c3\x03b7.tmp", Planned::kListed, FILE_ATTRIBUTE_READONLY);
        Add(L"\x30d5\x30a9\x30eb\x30c0\\\x30d5\x30a1\x30a4\x30eb.tmp", Planned::kListed);
        Add(L"\x6587\x4ef6\x5939\\\x6587\x4ef6.tmp", Planned::kListed);
        Add(L"\xd83d\xde00\\\xd83d\xde00.tmp", Planned::kListed);
        Add(L"\x041f\x0430\x043f\x043a\x0430\\x.tmp", Planned::kListed);
        // Listed, unchecked by the user: these stay.
        Add(L"keep.tmp", Planned::kUnchecked);
        Add(L"Sub\\A.TMP", Planned::kUnchecked);   // a.tmp but for the letter case
        Add(L"cachf.tmp", Planned::kUnchecked);    // cache.tmp but for one letter
        Add(L"abc.tmp", Planned::kUnchecked);      // what "???.tmp" would match
        Add(L"ro-keep.tmp", Planned::kUnchecked, FILE_ATTRIBUTE_READONLY);
        Add(L"\x65e5\x672c.tmp", Planned::kUnchecked);
        Add(L"\x043a\x044d\x0448.tmp", Planned::kUnchecked);
        Add(L"\xd83d\xde00\\\xd83c\xdf89.tmp", Planned::kUnchecked);
        Add(L"\x03a6\x03ac\x03ba\x03b5\x03bb\x03bf\x03c2\\\x03b2.tmp", Planned::kUnchecked);
        // Never listed: names one character away from junk, filters that are
        // off or exclude, excluded folders, the system attribute (off).
        for (const wchar_t* name : {L"a.tmq", L"a.tm", L"atmp", L"a.tmp.txt", L"a_tmp", L"report.doc", L"b.bak",
                                    L"Donotdel.tmp", L"Sub\\DONOTDEL.TMP", L"config.tmp", L"sendto\\x.tmp",
                                    L"Sub\\i386\\y.tmp", L"Temporary Internet Files\\z.tmp"})
            Add(name, Planned::kNotListed);
        Add(L"system.tmp", Planned::kNotListed, FILE_ATTRIBUTE_SYSTEM);
        // Neighbours in other scripts that are no junk.
        Add(L"\x03a6\x03ac\x03ba\x03b5\x03bb\x03bf\x03c2\\\x03c3\x03b7\x03bc\x03b5\x03af\x03c9\x03c3\x03b7.txt",
            Planned::kNotListed);
        Add(L"\x30d5\x30a9\x30eb\x30c0\\\x30d5\x30a1\x30a4\x30eb.tmq", Planned::kNotListed);
        Add(L"\xd83d\xde00.txt", Planned::kNotListed);

        for (Planned& file : files_) {
            const std::wstring full = Widen(root_) + L"\\" + file.path;
            WriteFileBytes(full, Content(file));
            if (file.attributes) {
                ::SetFileAttributesW(full.c_str(), file.attributes);
                const DWORD kept = ::GetFileAttributesW(full.c_str());
                if ((kept & file.attributes) != file.attributes) keptAllAttributes_ = false;
            }
        }
        // A link out of the tree, to files that look like junk.
        WriteFileBytes(Widen(outside_) + L"\\victim.tmp", "outside the tree: never to be touched");
        WriteFileBytes(Widen(outside_) + L"\\Deeper\\victim2.old", "outside too");
        linked_ = MakeDirectoryLink(Widen(root_) + L"\\link", Widen(outside_));
    }

    const std::string& Root() const { return root_; }
    const std::string& Outside() const { return outside_; }
    bool Linked() const { return linked_; }
    bool KeptAllAttributes() const { return keptAllAttributes_; }
    const std::vector<Planned>& Files() const { return files_; }

    // The "Location" text the walk gives a file: the location in small
    // letters, the rest as the file system spells it.
    std::string LocationOf(const Planned& file) const { return Lower(root_) + "\\" + Narrow(file.path); }
    static std::string Content(const Planned& file) {
        // Sizes differ from file to file, so the totals tell rows apart.
        return "junk-or-not:" + Narrow(file.path) + std::string(file.path.size() % 7, '#');
    }

private:
    void Add(const std::wstring& path, Planned::Fate fate, DWORD attributes = 0) {
        files_.push_back(Planned{path, attributes, fate});
    }
    std::string root_, outside_;
    std::vector<Planned> files_;
    bool linked_ = false;
    bool keptAllAttributes_ = true;
};

}  // namespace velnor::e2e
