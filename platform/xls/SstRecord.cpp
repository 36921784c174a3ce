// Reading the shared string table and writing it in Excel's record layout.
#include "platform/xls/SstRecord.h"

#include <algorithm>
#include <string>

#include "platform/nls/Utf16.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/StringReader.h"

namespace glossel::xls {
namespace {

constexpr std::uint8_t kHighByte = 0x01;
constexpr std::uint8_t kPhonetic = 0x04;
constexpr std::uint8_t kRich = 0x08;
constexpr std::size_t kMaxBuckets = 128;
constexpr std::size_t kMinBucketSize = 8;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

struct Bucket {
    std::uint32_t position;
    std::uint16_t offset;
};

// Builds SST and CONTINUE records, starting a CONTINUE whenever the current record is full and
// handing on what is written, between records, once it is a piece.
class SstBuilder {
public:
    SstBuilder(Bytes& out, std::size_t& handedOn, const HandOn& handOn)
        : out_(out), handedOn_(handedOn), handOn_(handOn), header_(beginRecord(out, id::kSst)) {}

    std::size_t room() const { return kMaxRecordData - (out_.size() - header_ - 4); }
    void ensureRoom(std::size_t bytes) {
        if (room() < bytes) {
            endRecord(out_, header_);
            if (handOn_ && out_.size() >= kStreamPieceSize) {
                handOn_(out_);
                handedOn_ += out_.size();
                out_.clear();
            }
            header_ = beginRecord(out_, id::kContinue);
        }
    }
    Bucket here() const {
        return {static_cast<std::uint32_t>(handedOn_ + out_.size()),
                static_cast<std::uint16_t>(out_.size() - header_)};
    }
    void finish() { endRecord(out_, header_); }
    Bytes& out() { return out_; }

    // `Text`: a std::u16string_view, or a std::string_view of ASCII text.
    template <typename Text>
    void writeString(Text text, const StringTable::Formatting* formatting);

private:
    template <typename Text>
    void writeCharacters(Text text, bool high);

    Bytes& out_;
    std::size_t& handedOn_;
    const HandOn& handOn_;
    std::size_t header_;
};

template <typename Text>
void SstBuilder::writeCharacters(Text text, bool high) {
    const std::size_t width = high ? 2 : 1;
    std::size_t done = 0;
    while (done < text.size()) {
        std::size_t take = std::min(text.size() - done, room() / width);
        if (high && take > 0 && done + take < text.size() &&
            isHighSurrogate(text[done + take - 1])) {
            --take;
        }
        if (take == 0) {
            ensureRoom(kMaxRecordData);
            put8(out_, high ? kHighByte : 0);
            continue;
        }
        const std::size_t at = out_.size();
        out_.resize(at + take * width);
        std::uint8_t* place = out_.data() + at;
        for (std::size_t i = done; i < done + take; ++i) {
            *place++ = static_cast<std::uint8_t>(text[i]);
            if (high) {
                *place++ = static_cast<std::uint8_t>(text[i] >> 8);
            }
        }
        done += take;
    }
}

template <typename Text>
void SstBuilder::writeString(Text text, const StringTable::Formatting* formatting) {
    const bool high = std::any_of(text.begin(), text.end(), [](auto c) { return c > 0xFF; });
    const bool rich = formatting && !formatting->runs.empty();
    const bool phonetic = formatting && !formatting->phonetic.empty();
    put16(out_, static_cast<std::uint16_t>(text.size()));
    put8(out_, static_cast<std::uint8_t>((high ? kHighByte : 0) | (rich ? kRich : 0) |
                                         (phonetic ? kPhonetic : 0)));
    if (rich) {
        put16(out_, static_cast<std::uint16_t>(formatting->runs.size() / 4));
    }
    if (phonetic) {
        put32(out_, static_cast<std::uint32_t>(formatting->phonetic.size()));
    }
    writeCharacters(text, high);
    if (rich) {
        for (std::size_t run = 0; run + 4 <= formatting->runs.size(); run += 4) {
            ensureRoom(4);
            out_.insert(out_.end(), formatting->runs.begin() + static_cast<std::ptrdiff_t>(run),
                        formatting->runs.begin() + static_cast<std::ptrdiff_t>(run + 4));
        }
    }
    if (phonetic) {
        const auto& block = formatting->phonetic;
        for (std::size_t done = 0; done < block.size();) {
            ensureRoom(1);
            const std::size_t take = std::min(block.size() - done, room());
            out_.insert(out_.end(), block.begin() + static_cast<std::ptrdiff_t>(done),
                        block.begin() + static_cast<std::ptrdiff_t>(done + take));
            done += take;
        }
    }
}

// Bytes from a string's length field through its first character (a whole surrogate pair).
template <typename Text>
std::size_t leadSize(Text text, const StringTable::Formatting* formatting) {
    const bool high = std::any_of(text.begin(), text.end(), [](auto c) { return c > 0xFF; });
    std::size_t size = 3;
    if (formatting && !formatting->runs.empty()) {
        size += 2;
    }
    if (formatting && !formatting->phonetic.empty()) {
        size += 4;
    }
    if (!text.empty()) {
        size += !high ? 1 : (isHighSurrogate(text[0]) && text.size() > 1 ? 4 : 2);
    }
    return size;
}

void writeExtSst(Bytes& out, const std::vector<Bucket>& buckets, std::size_t bucketSize) {
    const std::size_t header = beginRecord(out, id::kExtSst);
    put16(out, static_cast<std::uint16_t>(bucketSize));
    for (const Bucket& bucket : buckets) {
        put32(out, bucket.position);
        put16(out, bucket.offset);
        put16(out, 0);
    }
    endRecord(out, header);
}

}  // namespace

void readSst(const RecordReader& record, StringTable& table) {
    const std::uint32_t count = record.u32(4);
    StringReader strings(record, 8);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (strings.atEnd()) {
            record.damaged("die Tabelle endet nach " + std::to_string(i) + " von " +
                           std::to_string(count) + " Texten");
        }
        RichString string = strings.readRich();
        table.add(nls::toUtf8(string.text), {std::move(string.runs), std::move(string.phonetic)});
    }
}

void writeSst(Bytes& out, const StringTable& table, std::span<const std::uint32_t> order,
              std::uint32_t cellCount) {
    std::size_t handedOn = 0;
    writeSst(out, handedOn, HandOn(), table, order, cellCount);
}

void writeSst(Bytes& out, std::size_t& handedOn, const HandOn& handOn, const StringTable& table,
              std::span<const std::uint32_t> order, std::uint32_t cellCount) {
    const std::size_t bucketSize = std::max(order.size() / kMaxBuckets + 1, kMinBucketSize);
    std::vector<Bucket> buckets;
    SstBuilder builder(out, handedOn, handOn);
    put32(out, cellCount);
    put32(out, static_cast<std::uint32_t>(order.size()));
    std::u16string wide;
    const auto write = [&](auto text, std::size_t i) {
        const auto* formatting = table.formatting(order[i]);
        builder.ensureRoom(leadSize(text, formatting));
        if (i % bucketSize == 0) {
            buckets.push_back(builder.here());
        }
        builder.writeString(text, formatting);
    };
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string_view text = table.text(order[i]);
        if (std::all_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            write(text, i);
        } else {
            nls::toUtf16(text, wide);
            write(std::u16string_view(wide), i);
        }
    }
    builder.finish();
    writeExtSst(out, buckets, bucketSize);
}

}  // namespace glossel::xls
