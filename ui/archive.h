#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

namespace velnor {

// A byte stream that a control saves its layout to or loads it from.
class CArchive {
public:
    explicit CArchive(bool storing) : storing_(storing) {}
    CArchive(bool storing, std::vector<uint8_t> bytes) : storing_(storing), bytes_(std::move(bytes)) {}
    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }

    void WriteInt32(int32_t value) {
        uint8_t raw[4];
        std::memcpy(raw, &value, 4);
        bytes_.insert(bytes_.end(), raw, raw + 4);
    }
    bool ReadInt32(int32_t& value) {
        if (read_ + 4 > bytes_.size()) return false;
        std::memcpy(&value, bytes_.data() + read_, 4);
        read_ += 4;
        return true;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    bool storing_;
    std::vector<uint8_t> bytes_;
    size_t read_ = 0;
};

// Run-time class information: a class's name and its base.
struct RuntimeClass {
    const char* name;
    const RuntimeClass* base;
    bool IsDerivedFrom(const RuntimeClass* other) const {
        for (const RuntimeClass* c = this; c; c = c->base)
            if (c == other) return true;
        return false;
    }
};

}  // namespace velnor
