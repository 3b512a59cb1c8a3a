#include "scan/utf8.h"

namespace velnor {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Bytes in the sequence that a lead byte starts; 0 for a byte that starts none.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The range the byte after the lead must fall in: it rules out overlong forms,
// surrogates and code points above U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0: return second >= 0xA0 && second <= 0xBF;
    case 0xED: return second >= 0x80 && second <= 0x9F;
    case 0xF0: return second >= 0x90 && second <= 0xBF;
    case 0xF4: return second >= 0x80 && second <= 0x8F;
    default: return IsContinuation(second);
    }
}

}  // namespace

bool IsValidUtf8(const std::string& text) {
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = SequenceLength(lead);
        if (length == 0 || n - i < length) return false;
        if (length > 1 && !SecondByteFits(lead, static_cast<unsigned char>(text[i + 1]))) return false;
        for (size_t k = 2; k < length; ++k)
            if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return false;
        i += length;
    }
    return true;
}

std::string Utf8Prefix(const std::string& text, size_t maxBytes) {
    size_t end = text.size() < maxBytes ? text.size() : maxBytes;
    // Step back over the continuation bytes before the cut to the byte that
    // leads them; a lead whose sequence needs more than is left goes too.
    size_t lead = end;
    while (lead > 0 && end - lead < 4 && IsContinuation(static_cast<unsigned char>(text[lead - 1]))) --lead;
    if (lead > 0) {
        const size_t length = SequenceLength(static_cast<unsigned char>(text[lead - 1]));
        if (length > 1 && end - (lead - 1) < length) end = lead - 1;
    }
    return text.substr(0, end);
}

size_t Utf8CharLengthAt(const std::string& text, size_t at) { return Utf8CharLengthAt(text.data(), text.size(), at); }

size_t Utf8CharLengthAt(const char* text, size_t textLength, size_t at) {
    const size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
    if (length <= 1 || textLength - at < length) return 1;
    for (size_t k = 1; k < length; ++k)
        if (!IsContinuation(static_cast<unsigned char>(text[at + k]))) return 1;
    return length;
}

size_t Utf8DecodeAt(const char* text, size_t textLength, size_t at, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = SequenceLength(lead);
    if (length == 0 || textLength - at < length) return 0;
    if (length == 1) {
        codePoint = lead;
        return 1;
    }
    if (!SecondByteFits(lead, static_cast<unsigned char>(text[at + 1]))) return 0;
    static constexpr unsigned char kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    char32_t code = lead & kLeadBits[length];
    for (size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[at + k]);
        if (!IsContinuation(byte)) return 0;
        code = (code << 6) | (byte & 0x3F);
    }
    codePoint = code;
    return length;
}

size_t Utf8Encode(char32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
        out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
        out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (codePoint >> 18));
    out[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 4;
}

std::string Utf8WithoutLast(const std::string& text, size_t count) {
    size_t end = text.size();
    for (; count > 0 && end > 0; --count) {
        // Back to the lead of the last character; continuation bytes that no
        // lead claims go one at a time.
        size_t lead = end - 1;
        while (lead > 0 && end - lead < 4 && IsContinuation(static_cast<unsigned char>(text[lead]))) --lead;
        end = Utf8CharLengthAt(text, lead) == end - lead ? lead : end - 1;
    }
    return text.substr(0, end);
}

size_t Utf8CharCount(const std::string& text) {
    size_t count = 0;
    for (char c : text)
        if (!IsContinuation(static_cast<unsigned char>(c))) ++count;
    return count;
}

}  // namespace velnor
