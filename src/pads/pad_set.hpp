// Every recorded pad, visited in pad order: net, then reference, then pin.
#pragma once

#include "pads/pad_record.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Texts compare byte by byte as unsigned values; records with equal keys are
// all kept and visited in the order of their insertion.
//
// Records stay where they arrived, in blocks that never move; the order is a
// sort of compact keys made once, when the set is visited.
class PadSet {
public:
    void Insert(const PadRecord& pad);
    std::size_t Size() const { return order_.size(); }

    template <typename Visit>
    void VisitInOrder(Visit&& visit) const
    {
        SortOrder();
        for (const OrderEntry& entry : order_)
            visit(At(entry.position));
    }

private:
    static constexpr unsigned kBlockShift = 12;
    static constexpr std::uint32_t kBlockRecords = std::uint32_t{1} << kBlockShift;

    struct OrderEntry {
        std::uint64_t netPrefix; // the net's first 8 bytes, big-endian, zero-filled
        std::uint32_t position;  // arrival number
    };

    const PadRecord& At(std::uint32_t position) const
    {
        return blocks_[position >> kBlockShift][position & (kBlockRecords - 1)];
    }
    void SortOrder() const;

    std::vector<std::unique_ptr<PadRecord[]>> blocks_;
    mutable std::vector<OrderEntry> order_;
    mutable bool sorted_ = true;
};
