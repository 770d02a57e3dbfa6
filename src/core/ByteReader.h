#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace kesmar {

// Little-endian reader over a byte buffer. Every read checks the bytes left;
// a failed read returns false, leaves the output untouched and marks the
// reader as failed, so a caller may read a whole record and test ok() once.
class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const uint8_t> bytes) : data_(bytes) {}
    ByteReader(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data), size) {}

    size_t size() const { return data_.size(); }
    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    bool seek(size_t offset) {
        if (offset > data_.size()) return fail();
        pos_ = offset;
        return true;
    }
    bool skip(size_t count) {
        if (count > remaining()) return fail();
        pos_ += count;
        return true;
    }

    bool u8(uint8_t& out) { return readLe(out); }
    bool i8(int8_t& out) { return readLe(out); }
    bool u16(uint16_t& out) { return readLe(out); }
    bool i16(int16_t& out) { return readLe(out); }
    bool u32(uint32_t& out) { return readLe(out); }
    bool i32(int32_t& out) { return readLe(out); }
    bool u64(uint64_t& out) { return readLe(out); }
    bool f64(double& out) {
        uint64_t bits;
        if (!readLe(bits)) return false;
        std::memcpy(&out, &bits, sizeof out);
        return true;
    }
    bool bytes(void* out, size_t count) {
        if (count > remaining()) return fail();
        if (count) std::memcpy(out, data_.data() + pos_, count);
        pos_ += count;
        return true;
    }
    // A fixed-size text field: the characters up to the first NUL, or the whole
    // field when it holds none (a damaged field is cut at its size, never overrun).
    bool fixedString(std::string& out, size_t fieldSize) {
        if (fieldSize > remaining()) return fail();
        const char* p = reinterpret_cast<const char*>(data_.data() + pos_);
        out.assign(p, strnlen(p, fieldSize));
        pos_ += fieldSize;
        return true;
    }
    std::span<const uint8_t> view(size_t offset, size_t count) const {
        if (offset > data_.size() || count > data_.size() - offset) return {};
        return data_.subspan(offset, count);
    }

private:
    template <typename T> bool readLe(T& out) {
        if (sizeof(T) > remaining()) return fail();
        std::make_unsigned_t<T> v = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            v |= static_cast<std::make_unsigned_t<T>>(data_[pos_ + i]) << (8 * i);
        out = static_cast<T>(v);
        pos_ += sizeof(T);
        return true;
    }
    bool fail() { ok_ = false; return false; }

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace kesmar
