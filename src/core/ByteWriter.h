#pragma once
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace kesmar {

// Little-endian writer that appends to a byte vector; the mirror of ByteReader.
class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void u8(uint8_t v) { writeLe(v); }
    void i8(int8_t v) { writeLe(v); }
    void u16(uint16_t v) { writeLe(v); }
    void i16(int16_t v) { writeLe(v); }
    void u32(uint32_t v) { writeLe(v); }
    void i32(int32_t v) { writeLe(v); }
    void u64(uint64_t v) { writeLe(v); }
    void f64(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        writeLe(bits);
    }
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void zeros(size_t n) { out_.insert(out_.end(), n, 0); }
    // Writes text into a fixed field, cut to fieldSize - 1 and NUL padded.
    void fixedString(std::string_view s, size_t fieldSize) {
        if (fieldSize == 0) return;
        size_t n = s.size() < fieldSize - 1 ? s.size() : fieldSize - 1;
        bytes(s.data(), n);
        zeros(fieldSize - n);
    }
    size_t size() const { return out_.size(); }

private:
    template <typename T> void writeLe(T v) {
        auto u = static_cast<std::make_unsigned_t<T>>(v);
        for (size_t i = 0; i < sizeof(T); ++i) out_.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    std::vector<uint8_t>& out_;
};

} // namespace kesmar
