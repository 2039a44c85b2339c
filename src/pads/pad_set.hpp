// Every recorded pad, visited in pad order: net, then reference, then pin.
#pragma once

#include "pads/pad_record.hpp"
#include "platform/large_memory.hpp"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

// Texts compare byte by byte as unsigned values; records with equal keys are
// all kept and visited in the order of their insertion.
//
// Each record is kept as a packed copy: its numbers and the bytes of its three
// texts, without the unused rest of the text fields, appended to large blocks
// that never move. That is about a tenth of the fixed-size record, and filling
// fresh memory is much of the cost of a large board. The visit unpacks each
// record into one working PadRecord, valid until the visitor returns.
//
// The order is a sort of compact keys made once, when the set is visited. A
// key holds the first 24 bytes of net, reference and pin run together, each
// with its zero byte, so most comparisons never touch the records; only keys
// equal in all 24 bytes with more behind them fall back to the texts.
class PadSet {
public:
    PadSet() = default;
    PadSet(const PadSet&) = delete;
    PadSet& operator=(const PadSet&) = delete;
    ~PadSet();

    void Insert(const PadRecord& pad);
    std::size_t Size() const { return count_; }

    template <typename Visit>
    void VisitInOrder(Visit&& visit) const
    {
        SortOrder();
        PadRecord pad;
        // Records are visited all over the blocks: ask for them a few ahead.
        constexpr std::size_t kAhead = 8;
        for (std::size_t i = 0; i < count_; ++i) {
            if (i + kAhead < count_) {
                const unsigned char* ahead = Packed(order_[i + kAhead].place);
                __builtin_prefetch(ahead);
                __builtin_prefetch(ahead + 64);
            }
            Unpack(Packed(order_[i].place), pad);
            visit(static_cast<const PadRecord&>(pad));
        }
    }

private:
    // Blocks start small, for small boards in little memory, and double up to
    // a whole number of huge pages.
    static constexpr std::size_t kFirstBlockBytes = std::size_t{64} << 10;
    static constexpr std::size_t kLargestBlockBytes = std::size_t{4} << 20;
    static constexpr std::size_t kKeyWords = 3;
    // In place: set when the key does not hold all three texts.
    static constexpr std::uint64_t kCutShort = std::uint64_t{1} << 63;

    struct OrderEntry {
        std::uint64_t key[kKeyWords]; // big-endian, zero-filled behind the third zero byte
        // kCutShort, then the block number times 2^32 plus the offset in the
        // block: grows with arrival, so it also ranks equal keys.
        std::uint64_t place;
    };
    static_assert(std::is_trivially_copyable_v<OrderEntry>, "entries move with their pages");

    const unsigned char* Packed(std::uint64_t place) const
    {
        return blocks_[(place & ~kCutShort) >> 32] + (place & 0xFFFF'FFFF);
    }
    static void Unpack(const unsigned char* packed, PadRecord& pad);
    void SortOrder() const;

    static std::size_t BlockBytes(std::size_t block);

    std::vector<unsigned char*> blocks_; // from MapPages
    std::size_t used_ = 0;               // bytes taken in the last block
    // One entry per record, in pages that grow without copying: a std::vector
    // would copy the entries and fill fresh memory at every step.
    OrderEntry* order_ = nullptr;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
    mutable bool sorted_ = true;
};
