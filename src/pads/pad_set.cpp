#include "pads/pad_set.hpp"

#include <algorithm>
#include <cstring>

namespace {

// Packed record: the six doubles as stored, layer, kind, the lengths of
// reference, pin and net, then their bytes without zero bytes.
constexpr std::size_t kCenterX = 0;
constexpr std::size_t kCenterY = 8;
constexpr std::size_t kSizeX = 16;
constexpr std::size_t kSizeY = 24;
constexpr std::size_t kHoleDiameter = 32;
constexpr std::size_t kRotation = 40;
constexpr std::size_t kLayer = 48;
constexpr std::size_t kKind = 49;
constexpr std::size_t kReferenceLength = 50;
constexpr std::size_t kPinLength = 51;
constexpr std::size_t kNetLength = 52;
constexpr std::size_t kTexts = 53;

constexpr std::size_t kKeyBytes = 24;

// A text field holds its zero byte; one that lacks it is taken up to its last byte.
template <std::size_t Size>
std::size_t TextLength(const char (&field)[Size])
{
    static_assert(Size <= 256, "a length is kept in one byte");
    return strnlen(field, Size - 1);
}

// Appends text and its zero byte to the key as far as it has room; gives the
// length of the whole run so far.
std::size_t AppendKeyText(unsigned char* key, std::size_t used, const char* text, std::size_t length)
{
    if (used < kKeyBytes) {
        std::size_t take = std::min(length, kKeyBytes - used);
        std::memcpy(key + used, text, take); // the zero byte is already in the key
    }
    return used + length + 1;
}

std::uint64_t BigEndianWord(const unsigned char* bytes)
{
    std::uint64_t word = 0;
    for (int i = 0; i < 8; ++i)
        word = word << 8 | bytes[i];
    return word;
}

void PutDouble(unsigned char* at, double value)
{
    std::memcpy(at, &value, sizeof value);
}

double GetDouble(const unsigned char* at)
{
    double value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Texts compare as unsigned bytes; one that is the beginning of the other comes first.
int CompareText(const unsigned char* a, std::size_t aLength, const unsigned char* b, std::size_t bLength)
{
    if (int c = std::memcmp(a, b, std::min(aLength, bLength)))
        return c;
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

// net, then reference, then pin of two packed records.
int CompareTexts(const unsigned char* a, const unsigned char* b)
{
    const unsigned char* aReference = a + kTexts;
    const unsigned char* bReference = b + kTexts;
    const unsigned char* aPin = aReference + a[kReferenceLength];
    const unsigned char* bPin = bReference + b[kReferenceLength];
    const unsigned char* aNet = aPin + a[kPinLength];
    const unsigned char* bNet = bPin + b[kPinLength];
    if (int c = CompareText(aNet, a[kNetLength], bNet, b[kNetLength]))
        return c;
    if (int c = CompareText(aReference, a[kReferenceLength], bReference, b[kReferenceLength]))
        return c;
    return CompareText(aPin, a[kPinLength], bPin, b[kPinLength]);
}

} // namespace

std::size_t PadSet::BlockBytes(std::size_t block)
{
    constexpr std::size_t kDoublings = 6;
    static_assert(kFirstBlockBytes << kDoublings == kLargestBlockBytes);
    return kFirstBlockBytes << std::min(block, kDoublings);
}

PadSet::~PadSet()
{
    for (std::size_t block = 0; block < blocks_.size(); ++block)
        UnmapPages(blocks_[block], BlockBytes(block));
    UnmapPages(order_, capacity_ * sizeof(OrderEntry));
}

void PadSet::Insert(const PadRecord& pad)
{
    std::size_t referenceLength = TextLength(pad.reference);
    std::size_t pinLength = TextLength(pad.pin);
    std::size_t netLength = TextLength(pad.net);
    std::size_t size = kTexts + referenceLength + pinLength + netLength;

    // Room first, in the blocks and in the order, so a failure leaves the set as it was.
    if (blocks_.empty() || BlockBytes(blocks_.size() - 1) - used_ < size) {
        blocks_.reserve(blocks_.size() + 1);
        blocks_.push_back(static_cast<unsigned char*>(MapPages(BlockBytes(blocks_.size()))));
        used_ = 0;
    }
    if (count_ == capacity_) {
        std::size_t capacity = std::max<std::size_t>(2 * capacity_, 1024);
        void* grown = order_ == nullptr
                          ? MapPages(capacity * sizeof(OrderEntry))
                          : ResizePages(order_, capacity_ * sizeof(OrderEntry), capacity * sizeof(OrderEntry));
        order_ = static_cast<OrderEntry*>(grown);
        capacity_ = capacity;
    }

    unsigned char* packed = blocks_.back() + used_;
    PutDouble(packed + kCenterX, pad.centerX);
    PutDouble(packed + kCenterY, pad.centerY);
    PutDouble(packed + kSizeX, pad.sizeX);
    PutDouble(packed + kSizeY, pad.sizeY);
    PutDouble(packed + kHoleDiameter, pad.holeDiameter);
    PutDouble(packed + kRotation, pad.rotation);
    packed[kLayer] = static_cast<unsigned char>(pad.layer);
    packed[kKind] = static_cast<unsigned char>(pad.kind);
    packed[kReferenceLength] = static_cast<unsigned char>(referenceLength);
    packed[kPinLength] = static_cast<unsigned char>(pinLength);
    packed[kNetLength] = static_cast<unsigned char>(netLength);
    unsigned char* text = packed + kTexts;
    std::memcpy(text, pad.reference, referenceLength);
    std::memcpy(text + referenceLength, pad.pin, pinLength);
    std::memcpy(text + referenceLength + pinLength, pad.net, netLength);

    // net, reference and pin run together: a zero byte is smaller than every
    // other byte, so these bytes compare exactly as the three texts one by one.
    static_assert(kKeyBytes == kKeyWords * 8);
    unsigned char key[kKeyBytes] = {};
    std::size_t length = AppendKeyText(key, 0, pad.net, netLength);
    length = AppendKeyText(key, length, pad.reference, referenceLength);
    length = AppendKeyText(key, length, pad.pin, pinLength);
    OrderEntry& entry = order_[count_];
    for (std::size_t i = 0; i < kKeyWords; ++i)
        entry.key[i] = BigEndianWord(key + 8 * i);
    entry.place = (blocks_.size() - 1) << 32 | used_;
    if (length > kKeyBytes)
        entry.place |= kCutShort;
    ++count_;
    used_ += size;
    sorted_ = false;
}

void PadSet::Unpack(const unsigned char* packed, PadRecord& pad)
{
    pad.centerX = GetDouble(packed + kCenterX);
    pad.centerY = GetDouble(packed + kCenterY);
    pad.sizeX = GetDouble(packed + kSizeX);
    pad.sizeY = GetDouble(packed + kSizeY);
    pad.holeDiameter = GetDouble(packed + kHoleDiameter);
    pad.rotation = GetDouble(packed + kRotation);
    pad.layer = static_cast<std::int8_t>(packed[kLayer]);
    pad.kind = static_cast<PadKind>(packed[kKind]);
    std::size_t referenceLength = packed[kReferenceLength];
    std::size_t pinLength = packed[kPinLength];
    std::size_t netLength = packed[kNetLength];
    const unsigned char* text = packed + kTexts;
    std::memcpy(pad.reference, text, referenceLength);
    pad.reference[referenceLength] = '\0';
    std::memcpy(pad.pin, text + referenceLength, pinLength);
    pad.pin[pinLength] = '\0';
    std::memcpy(pad.net, text + referenceLength + pinLength, netLength);
    pad.net[netLength] = '\0';
}

void PadSet::SortOrder() const
{
    if (sorted_)
        return;
    std::sort(order_, order_ + count_, [this](const OrderEntry& a, const OrderEntry& b) {
        for (std::size_t i = 0; i < kKeyWords; ++i) {
            if (a.key[i] != b.key[i])
                return a.key[i] < b.key[i];
        }
        // Equal keys are both whole or both cut short: a key holds its three
        // zero bytes exactly when it is whole.
        if (a.place & kCutShort) {
            if (int c = CompareTexts(Packed(a.place), Packed(b.place)))
                return c < 0;
        }
        return a.place < b.place;
    });
    sorted_ = true;
}
