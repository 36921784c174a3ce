// Reading the shared string table and writing it in Excel's record layout.
#include "platform/xls/SstRecord.h"

#include <algorithm>
#include <string>
#include <type_traits>

#include "platform/ByteOrder.h"
#include "platform/nls/Utf16.h"
#include "platform/nls/Utf8Text.h"
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

// A text's size and width without its characters, all within the BMP: what counting needs.
struct MeasuredText {
    std::size_t units;
    bool high;

    std::size_t size() const { return units; }
    bool empty() const { return units == 0; }
    char16_t operator[](std::size_t) const { return 0; }
};

// The UTF-16 units of well-formed UTF-8 without characters beyond the BMP.
std::size_t unitCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

struct Bucket {
    std::uint32_t position;
    std::uint16_t offset;
};

// Where the records go: into the stream, handed on whenever a record ends with a piece's worth
// written.
class StreamSink {
public:
    explicit StreamSink(PieceOut stream) : stream_(stream), out_(stream.bytes) {}

    void beginRecord(std::uint16_t recordId) { header_ = xls::beginRecord(out_, recordId); }
    void endRecord() { xls::endRecord(out_, header_); }
    void handOnIfFull() { stream_.handOnIfFull(); }
    std::size_t position() const { return stream_.position(); }
    std::size_t recordStart() const { return stream_.handedOn + header_; }

    void put8(std::uint8_t value) { le::append8(out_, value); }
    void put16(std::uint16_t value) { le::append16(out_, value); }
    void put32(std::uint32_t value) { le::append32(out_, value); }
    void append(const std::uint8_t* bytes, std::size_t count) {
        out_.insert(out_.end(), bytes, bytes + count);
    }
    template <typename Text>
    void appendCharacters(Text text, std::size_t from, std::size_t count, bool high) {
        if constexpr (std::is_same_v<Text, std::string_view>) {
            out_.insert(out_.end(), text.begin() + from, text.begin() + from + count);
            return;
        }
        const std::size_t at = out_.size();
        out_.resize(at + count * (high ? 2 : 1));
        std::uint8_t* place = out_.data() + at;
        for (std::size_t i = from; i < from + count; ++i) {
            *place++ = static_cast<std::uint8_t>(text[i]);
            if (high) {
                *place++ = static_cast<std::uint8_t>(text[i] >> 8);
            }
        }
    }

private:
    PieceOut stream_;
    Bytes& out_;
    std::size_t header_ = 0;
};

// The records only counted: their size without writing them.
class CountingSink {
public:
    void beginRecord(std::uint16_t) {
        header_ = size_;
        size_ += kRecordHeaderSize;
    }
    void endRecord() {}
    void handOnIfFull() {}
    std::size_t position() const { return size_; }
    std::size_t recordStart() const { return header_; }

    void put8(std::uint8_t) { size_ += 1; }
    void put16(std::uint16_t) { size_ += 2; }
    void put32(std::uint32_t) { size_ += 4; }
    void append(const std::uint8_t*, std::size_t count) { size_ += count; }
    template <typename Text>
    void appendCharacters(Text, std::size_t, std::size_t count, bool high) {
        size_ += count * (high ? 2 : 1);
    }

private:
    std::size_t size_ = 0;
    std::size_t header_ = 0;
};

// Builds SST and CONTINUE records into a sink, starting a CONTINUE whenever the current record is
// full.
template <typename Sink>
class SstBuilder {
public:
    explicit SstBuilder(Sink& sink) : sink_(sink) { sink_.beginRecord(id::kSst); }

    std::size_t room() const {
        return kMaxRecordData - (sink_.position() - sink_.recordStart() - kRecordHeaderSize);
    }
    void ensureRoom(std::size_t bytes) {
        if (room() < bytes) {
            sink_.endRecord();
            sink_.handOnIfFull();
            sink_.beginRecord(id::kContinue);
        }
    }
    Bucket here() const {
        return {static_cast<std::uint32_t>(sink_.position()),
                static_cast<std::uint16_t>(sink_.position() - sink_.recordStart())};
    }
    void finish() { sink_.endRecord(); }

    // `Text`: a std::u16string_view, or a std::string_view of Latin-1 bytes.
    template <typename Text>
    void writeString(Text text, const spreadsheet::StringTable::Formatting* formatting);

private:
    template <typename Text>
    void writeCharacters(Text text, bool high);

    Sink& sink_;
};

template <typename Text>
bool hasHighCharacter(Text text) {
    if constexpr (std::is_same_v<Text, std::string_view>) {
        return false;
    } else if constexpr (std::is_same_v<Text, MeasuredText>) {
        return text.high;
    } else {
        return std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
    }
}

template <typename Sink>
template <typename Text>
void SstBuilder<Sink>::writeCharacters(Text text, bool high) {
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
            sink_.put8(high ? kHighByte : 0);
            continue;
        }
        sink_.appendCharacters(text, done, take, high);
        done += take;
    }
}

template <typename Sink>
template <typename Text>
void SstBuilder<Sink>::writeString(Text text, const spreadsheet::StringTable::Formatting* formatting) {
    const bool high = hasHighCharacter(text);
    const bool rich = formatting && !formatting->runs.empty();
    const bool phonetic = formatting && !formatting->phonetic.empty();
    sink_.put16(static_cast<std::uint16_t>(text.size()));
    sink_.put8(static_cast<std::uint8_t>((high ? kHighByte : 0) | (rich ? kRich : 0) |
                                         (phonetic ? kPhonetic : 0)));
    if (rich) {
        sink_.put16(static_cast<std::uint16_t>(formatting->runs.size() / 4));
    }
    if (phonetic) {
        sink_.put32(static_cast<std::uint32_t>(formatting->phonetic.size()));
    }
    writeCharacters(text, high);
    if (rich) {
        for (std::size_t run = 0; run + 4 <= formatting->runs.size(); run += 4) {
            ensureRoom(4);
            sink_.append(formatting->runs.data() + run, 4);
        }
    }
    if (phonetic) {
        const auto& block = formatting->phonetic;
        for (std::size_t done = 0; done < block.size();) {
            ensureRoom(1);
            const std::size_t take = std::min(block.size() - done, room());
            sink_.append(block.data() + done, take);
            done += take;
        }
    }
}

// Bytes from a string's length field through its first character (a whole surrogate pair).
template <typename Text>
std::size_t leadSize(Text text, const spreadsheet::StringTable::Formatting* formatting) {
    const bool high = hasHighCharacter(text);
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

template <typename Sink>
void writeExtSst(Sink& sink, const std::vector<Bucket>& buckets, std::size_t bucketSize) {
    sink.beginRecord(id::kExtSst);
    sink.put16(static_cast<std::uint16_t>(bucketSize));
    for (const Bucket& bucket : buckets) {
        sink.put32(bucket.position);
        sink.put16(bucket.offset);
        sink.put16(0);
    }
    sink.endRecord();
}

template <typename Sink>
void writeSstTo(Sink& sink, const spreadsheet::StringTable& table, std::span<const std::uint32_t> order,
                std::uint32_t cellCount) {
    const std::size_t bucketSize = std::max(order.size() / kMaxBuckets + 1, kMinBucketSize);
    std::vector<Bucket> buckets;
    SstBuilder<Sink> builder(sink);
    sink.put32(cellCount);
    sink.put32(static_cast<std::uint32_t>(order.size()));
    std::string narrow;
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
        const spreadsheet::TextForm form = table.form(order[i]);
        if (form == spreadsheet::TextForm::Ascii) {
            write(text, i);
        } else if (std::is_same_v<Sink, CountingSink> && form != spreadsheet::TextForm::Other) {
            write(MeasuredText{unitCount(text), form == spreadsheet::TextForm::Bmp}, i);
        } else if (form == spreadsheet::TextForm::Latin1) {
            narrow.resize(text.size());
            narrow.resize(*nls::toLatin1(text, narrow.data()));  // its form says it has one
            write(std::string_view(narrow), i);
        } else {
            nls::toUtf16(text, wide);
            write(std::u16string_view(wide), i);
        }
    }
    builder.finish();
    writeExtSst(sink, buckets, bucketSize);
}

}  // namespace

void readSst(const RecordReader& record, spreadsheet::StringTable& table) {
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

void writeSst(Bytes& out, const spreadsheet::StringTable& table, std::span<const std::uint32_t> order,
              std::uint32_t cellCount) {
    std::size_t handedOn = 0;
    writeSst({out, handedOn, HandOn()}, table, order, cellCount);
}

void writeSst(PieceOut out, const spreadsheet::StringTable& table, std::span<const std::uint32_t> order,
              std::uint32_t cellCount) {
    StreamSink sink(out);
    writeSstTo(sink, table, order, cellCount);
}

std::size_t sstSize(const spreadsheet::StringTable& table, std::span<const std::uint32_t> order) {
    CountingSink sink;
    writeSstTo(sink, table, order, 0);
    return sink.position();
}

}  // namespace glossel::xls
