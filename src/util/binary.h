#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/errors.h"

namespace zentrix {

// Little-endian field-by-field writer for the binary record files.
class TByteWriter {
  public:
    explicit TByteWriter(std::string& out) : out_(out) {}
    void U8(uint8_t v) { out_ += static_cast<char>(v); }
    void U16(uint16_t v) { Put(v, 2); }
    void I16(int16_t v) { Put(static_cast<uint16_t>(v), 2); }
    void I32(int32_t v) { Put(static_cast<uint32_t>(v), 4); }
    void U32(uint32_t v) { Put(v, 4); }
    void I64(int64_t v) { Put(static_cast<uint64_t>(v), 8); }
    void Bytes(std::string_view bytes) { out_.append(bytes); }
    void Zeros(size_t count) { out_.append(count, '\0'); }

  private:
    void Put(uint64_t v, int size) {
        for (int i = 0; i < size; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    std::string& out_;
};

// Little-endian reader; reading past the end raises EFileError.
class TByteReader {
  public:
    explicit TByteReader(std::string_view data) : data_(data) {}
    uint8_t U8() { return static_cast<uint8_t>(Get(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Get(2)); }
    int16_t I16() { return static_cast<int16_t>(Get(2)); }
    int32_t I32() { return static_cast<int32_t>(static_cast<uint32_t>(Get(4))); }
    uint32_t U32() { return static_cast<uint32_t>(Get(4)); }
    int64_t I64() { return static_cast<int64_t>(Get(8)); }
    std::string_view Bytes(size_t count) {
        Need(count);
        std::string_view v = data_.substr(pos_, count);
        pos_ += count;
        return v;
    }
    void Skip(size_t count) { Bytes(count); }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }

  private:
    void Need(size_t count) const {
        if (data_.size() - pos_ < count) throw EFileError("unexpected end of data");
    }
    uint64_t Get(int size) {
        Need(size);
        uint64_t v = 0;
        for (int i = 0; i < size; ++i)
            v |= static_cast<uint64_t>(static_cast<uint8_t>(data_[pos_ + i])) << (8 * i);
        pos_ += size;
        return v;
    }
    std::string_view data_;
    size_t pos_ = 0;
};

}  // namespace zentrix
