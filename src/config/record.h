// The controller's configuration record `_data_config`: 2038 bytes at fixed little-endian
// offsets, inside a 2048-byte type. The layout is the controller's wire format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/source_selection.h"  // kSourceCount: the head unit's sources

namespace ztv {

inline constexpr std::size_t kRecordSize = 2038;      // bytes cleared, moved, compared and stored
inline constexpr std::size_t kRecordTypeSize = 2048;  // the type as the controller's firmware declares it

inline constexpr std::size_t kHeaderOffset = 0;       // long-press time-out, four press thresholds
inline constexpr std::size_t kHeaderSize = 10;
inline constexpr std::size_t kButtonTableOffset = 10;
inline constexpr std::size_t kChannels = 4;
inline constexpr std::size_t kButtonsPerChannel = 15;
inline constexpr std::size_t kButtonEntrySize = 9;
inline constexpr std::size_t kButtonNameSize = 5;
inline constexpr std::size_t kButtonTableSize = kChannels * kButtonsPerChannel * kButtonEntrySize;  // 540
inline constexpr std::size_t kAnalogOffset = 550;
inline constexpr std::size_t kAnalogSize = 4;
inline constexpr std::size_t kSlotArrayOffset = 554;
inline constexpr std::size_t kSlotCount = 80;
inline constexpr std::size_t kSlotSize = 17;
inline constexpr std::size_t kSlotEventSize = 11;      // bytes 0-10: the event half
inline constexpr std::size_t kDeviceParamsOffset = 1914;
inline constexpr std::size_t kPinModeOffset = 1941;
inline constexpr std::size_t kPinModeCount = 14;
inline constexpr std::size_t kSourceNamesOffset = 1966;
inline constexpr std::size_t kSourceNameSize = 5;

inline constexpr std::size_t kTouchBlockSize = 10;     // device block 17, opaque to the program
inline constexpr std::size_t kSlotNameSize = 32;       // PC-side slot names

inline constexpr std::uint16_t kDefaultLongPressMs = 1000;
inline constexpr std::uint16_t kNoButtonsThreshold = 4095;

// NOLINTNEXTLINE(bugprone-reserved-identifier): the controller's own name for the record.
struct _data_config {
    std::array<std::uint8_t, kRecordTypeSize> raw{};

    std::uint8_t* data() { return raw.data(); }
    const std::uint8_t* data() const { return raw.data(); }
    std::span<std::uint8_t, kRecordSize> bytes() { return std::span<std::uint8_t, kRecordSize>(raw.data(), kRecordSize); }
    std::span<const std::uint8_t, kRecordSize> bytes() const {
        return std::span<const std::uint8_t, kRecordSize>(raw.data(), kRecordSize);
    }

    std::uint8_t u8(std::size_t offset) const { return raw[offset]; }
    void set_u8(std::size_t offset, std::uint8_t value) { raw[offset] = value; }
    std::uint16_t u16(std::size_t offset) const {
        return static_cast<std::uint16_t>(raw[offset] | (raw[offset + 1] << 8));
    }
    void set_u16(std::size_t offset, std::uint16_t value) {
        raw[offset] = static_cast<std::uint8_t>(value & 0xFF);
        raw[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    }

    // Bits [first_bit, first_bit + bit_count) of the byte at offset, shifted down to bit 0.
    unsigned bits(std::size_t offset, unsigned first_bit, unsigned bit_count) const {
        return (raw[offset] >> first_bit) & ((1u << bit_count) - 1u);
    }
    // Read-modify-write: the other bits of the byte keep their values; value is cut to the field.
    void set_bits(std::size_t offset, unsigned first_bit, unsigned bit_count, unsigned value) {
        const unsigned mask = ((1u << bit_count) - 1u) << first_bit;
        raw[offset] = static_cast<std::uint8_t>((raw[offset] & ~mask) | ((value << first_bit) & mask));
    }

    void clear() { std::fill(raw.begin(), raw.begin() + kRecordSize, std::uint8_t{0}); }

    // Header words.
    std::uint16_t long_press_ms() const { return u16(0); }
    std::uint16_t press_threshold(std::size_t channel) const { return u16(2 + 2 * channel); }

    // Button table: channel 0-3, button 0-14.
    static constexpr std::size_t button_offset(std::size_t channel, std::size_t button) {
        return kButtonTableOffset + channel * kButtonsPerChannel * kButtonEntrySize + button * kButtonEntrySize;
    }
    std::uint16_t button_code(std::size_t channel, std::size_t button) const { return u16(button_offset(channel, button)); }
    std::uint16_t button_limit(std::size_t channel, std::size_t button) const {
        return u16(button_offset(channel, button) + 2);
    }
    // The name's bytes up to the first NUL, at most 5 (Windows-1251).
    std::string_view button_name(std::size_t channel, std::size_t button) const;
    // Cut to 5 bytes, padded with NUL; a 5-byte name has no terminator.
    void set_button_name(std::size_t channel, std::size_t button, std::string_view cp1251);

    // Event/reaction slots 0-79.
    static constexpr std::size_t slot_offset(std::size_t slot) { return kSlotArrayOffset + slot * kSlotSize; }
    std::span<std::uint8_t, kSlotSize> slot(std::size_t index) {
        return std::span<std::uint8_t, kSlotSize>(raw.data() + slot_offset(index), kSlotSize);
    }
    std::span<const std::uint8_t, kSlotSize> slot(std::size_t index) const {
        return std::span<const std::uint8_t, kSlotSize>(raw.data() + slot_offset(index), kSlotSize);
    }

    // Source names 1-8 as index 0-7.
    std::string_view source_name(std::size_t source) const;
    void set_source_name(std::size_t source, std::string_view cp1251);
};

static_assert(sizeof(_data_config) == kRecordTypeSize, "_data_config must keep the controller's 2048-byte size");
static_assert(kSlotArrayOffset + kSlotCount * kSlotSize == kDeviceParamsOffset);
static_assert(kButtonTableOffset + kButtonTableSize == kAnalogOffset);

using Record = _data_config;
using TouchBlock = std::array<std::uint8_t, kTouchBlockSize>;
using SlotName = std::array<std::uint8_t, kSlotNameSize>;
using SlotNames = std::array<SlotName, kSlotCount>;

// Copies text (up to a NUL in it) into a fixed NUL-padded field, cut to the field's size.
void put_field_text(std::span<std::uint8_t> field, std::string_view text);

}  // namespace ztv
