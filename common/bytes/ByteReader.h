#pragma once
// Bounds-checked little-endian reading of binary data held in memory.
// Every read either succeeds completely or reports failure; nothing past the
// end of the given bytes is ever touched.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

namespace logora {

class ByteReader
{
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    ByteReader(const void* data, size_t size) : bytes_(static_cast<const uint8_t*>(data), size) {}

    size_t size() const { return bytes_.size(); }
    size_t position() const { return pos_; }
    size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ == bytes_.size(); }
    bool has(size_t count) const { return count <= remaining(); }

    bool skip(size_t count)
    {
        if (!has(count)) return false;
        pos_ += count;
        return true;
    }

    std::optional<uint8_t> u8() { return read<uint8_t>(); }
    std::optional<uint16_t> u16() { return read<uint16_t>(); }
    std::optional<uint32_t> u32() { return read<uint32_t>(); }
    std::optional<int32_t> i32() { return read<int32_t>(); }

    // A view of the next `count` bytes, consumed; empty optional when short.
    std::optional<std::span<const uint8_t>> bytes(size_t count)
    {
        if (!has(count)) return std::nullopt;
        auto view = bytes_.subspan(pos_, count);
        pos_ += count;
        return view;
    }

    // Reads at an absolute offset without moving the position.
    template <typename T>
    std::optional<T> peekAt(size_t offset) const
    {
        if (offset > bytes_.size() || sizeof(T) > bytes_.size() - offset) return std::nullopt;
        return decode<T>(bytes_.data() + offset);
    }

    // Decodes a little-endian value from exactly sizeof(T) bytes.
    template <typename T>
    static T decode(const uint8_t* p)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&value, p, sizeof(T));
        } else {
            uint8_t swapped[sizeof(T)];
            for (size_t i = 0; i < sizeof(T); ++i) swapped[i] = p[sizeof(T) - 1 - i];
            std::memcpy(&value, swapped, sizeof(T));
        }
        return value;
    }

private:
    template <typename T>
    std::optional<T> read()
    {
        if (!has(sizeof(T))) return std::nullopt;
        T value = decode<T>(bytes_.data() + pos_);
        pos_ += sizeof(T);
        return value;
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// Little-endian stores into a buffer the caller has sized.
template <typename T>
inline void storeLE(uint8_t* p, T value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &value, sizeof(T));
    } else {
        uint8_t raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        for (size_t i = 0; i < sizeof(T); ++i) p[i] = raw[sizeof(T) - 1 - i];
    }
}

}  // namespace logora
