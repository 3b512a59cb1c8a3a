#include "ui/dialog_template.h"

namespace velnor {

namespace {

constexpr uint16_t kOrdinalMark = 0xFFFF;
constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT, also part of DS_SHELLFONT

// Reads the template's little-endian words and strings in order; once a read
// runs past the end, every later read fails too.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Ok() const { return ok_; }

    uint16_t Word() {
        if (!Has(2)) return 0;
        const uint16_t value = static_cast<uint16_t>(data_[at_] | (data_[at_ + 1] << 8));
        at_ += 2;
        return value;
    }
    uint32_t Dword() {
        const uint32_t low = Word();
        return low | (static_cast<uint32_t>(Word()) << 16);
    }
    void Skip(size_t bytes) {
        if (Has(bytes)) at_ += bytes;
    }
    void AlignToDword() { Skip((4 - at_ % 4) % 4); }
    // A string, or an ordinal; answers the ordinal, or -1 for a string.
    int StringOrOrdinal() {
        const uint16_t first = Word();
        if (first == kOrdinalMark) return Word();
        for (uint16_t c = first; ok_ && c != 0; c = Word()) {
        }
        return -1;
    }
    void String() {
        for (uint16_t c = Word(); ok_ && c != 0; c = Word()) {
        }
    }

private:
    bool Has(size_t bytes) {
        if (ok_ && size_ - at_ >= bytes) return true;
        ok_ = false;
        return false;
    }
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

}  // namespace

std::vector<TemplatePicture> TemplatePictures(const uint8_t* data, size_t size) {
    std::vector<TemplatePicture> pictures;
    if (!data) return pictures;
    Reader in(data, size);
    const uint16_t version = in.Word();
    if (version != 1 || in.Word() != kOrdinalMark) return pictures;  // not DLGTEMPLATEEX
    in.Dword();  // help id
    in.Dword();  // extended style
    const uint32_t style = in.Dword();
    const int count = in.Word();
    in.Skip(8);  // x, y, cx, cy
    in.StringOrOrdinal();  // menu
    in.StringOrOrdinal();  // window class
    in.String();           // title
    if (style & kSetFont) {
        in.Skip(6);  // point size, weight, italic, character set
        in.String();
    }
    for (int i = 0; i < count && in.Ok(); ++i) {
        in.AlignToDword();
        in.Dword();  // help id
        in.Dword();  // extended style
        in.Dword();  // style
        in.Skip(8);
        const int id = static_cast<int>(in.Dword());
        in.StringOrOrdinal();  // class
        const int text = in.StringOrOrdinal();
        in.Skip(in.Word());  // creation data
        if (in.Ok() && text >= 0) pictures.push_back(TemplatePicture{id, text});
    }
    return pictures;
}

}  // namespace velnor
