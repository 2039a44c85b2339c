#include "pads/pad_set.hpp"

#include <algorithm>
#include <cstring>

namespace {

std::uint64_t NetPrefix(const char* net)
{
    std::uint64_t prefix = 0;
    for (int i = 0; i < 8 && net[i] != '\0'; ++i)
        prefix |= std::uint64_t{static_cast<unsigned char>(net[i])} << (56 - 8 * i);
    return prefix;
}

} // namespace

void PadSet::Insert(const PadRecord& pad)
{
    auto position = static_cast<std::uint32_t>(order_.size());
    if ((position & (kBlockRecords - 1)) == 0 && position >> kBlockShift == blocks_.size())
        blocks_.push_back(std::make_unique_for_overwrite<PadRecord[]>(kBlockRecords));
    // Room in the order first, so a failure leaves the set as it was.
    if (order_.size() == order_.capacity())
        order_.reserve(std::max<std::size_t>(2 * order_.capacity(), 1024));
    blocks_[position >> kBlockShift][position & (kBlockRecords - 1)] = pad;
    order_.push_back({NetPrefix(pad.net), position});
    sorted_ = false;
}

// strcmp compares as unsigned char, which is the pad order's byte order.
void PadSet::SortOrder() const
{
    if (sorted_)
        return;
    std::sort(order_.begin(), order_.end(), [this](const OrderEntry& a, const OrderEntry& b) {
        if (a.netPrefix != b.netPrefix)
            return a.netPrefix < b.netPrefix;
        const PadRecord& x = At(a.position);
        const PadRecord& y = At(b.position);
        if (int c = std::strcmp(x.net, y.net))
            return c < 0;
        if (int c = std::strcmp(x.reference, y.reference))
            return c < 0;
        if (int c = std::strcmp(x.pin, y.pin))
            return c < 0;
        return a.position < b.position;
    });
    sorted_ = true;
}
