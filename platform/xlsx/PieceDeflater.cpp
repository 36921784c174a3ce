// Pieces deflated through std::async into buffers the calling thread sets aside, and handed on
// in the order they were made, their CRC-32s combined.
#include "platform/xlsx/PieceDeflater.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <thread>

namespace glossel::xlsx {
namespace {

constexpr int kRawDeflate = -15;  // window bits: a deflate stream without zlib header
constexpr int kMemoryLevel = 8;
constexpr std::size_t kDictionarySize = 32 * 1024;  // deflate's window
constexpr std::size_t kFlushRoom = 64;  // a sync flush's empty block, the final block's end

std::uint32_t crcOf(std::string_view text) {
    return static_cast<std::uint32_t>(
        crc32_z(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(text.data()), text.size()));
}

// Deflates `text` after `dictionary` into `bytes`, which has room for it (compressBound).
void deflateInto(z_stream& stream, const std::string& text, const std::string& dictionary,
                 bool last, std::vector<unsigned char>& bytes) {
    if (!dictionary.empty()) {
        deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()),
                             static_cast<uInt>(dictionary.size()));
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = bytes.data();
    stream.avail_out = static_cast<uInt>(bytes.size());
    const int status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    if (status != (last ? Z_STREAM_END : Z_OK) || stream.avail_in != 0 || stream.avail_out == 0) {
        throw std::logic_error("deflate");
    }
    bytes.resize(bytes.size() - stream.avail_out);
}

}  // namespace

PieceDeflater::PieceDeflater(int level)
    : level_(level), threads_(std::max(1u, std::thread::hardware_concurrency())) {}

PieceDeflater::~PieceDeflater() {
    underWay_.clear();
    for (const auto& stream : streams_) {
        deflateEnd(stream.get());
    }
}

void PieceDeflater::begin(DeflatedSink sink) {
    sink_ = std::move(sink);
    dictionary_.clear();
    size_ = 0;
    crc_ = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
}

void PieceDeflater::add(std::string_view piece) {
    if (piece.empty()) {
        return;
    }
    start(std::string(piece), false);
    dictionary_.append(piece.substr(piece.size() - std::min(piece.size(), kDictionarySize)));
    dictionary_.erase(0, dictionary_.size() - std::min(dictionary_.size(), kDictionarySize));
}

void PieceDeflater::finish() {
    start(std::string(), true);
    while (!underWay_.empty()) {
        handOnOldest();
    }
}

z_stream* PieceDeflater::idleStream() {
    if (!idle_.empty()) {
        z_stream* stream = idle_.back();
        idle_.pop_back();
        deflateReset(stream);
        return stream;
    }
    auto stream = std::make_unique<z_stream>();
    if (deflateInit2(stream.get(), level_, Z_DEFLATED, kRawDeflate, kMemoryLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::bad_alloc();
    }
    streams_.push_back(std::move(stream));
    return streams_.back().get();
}

void PieceDeflater::start(std::string piece, bool last) {
    while (underWay_.size() >= threads_) {
        handOnOldest();
    }
    z_stream* stream = idleStream();
    Deflated deflated;
    deflated.size = piece.size();
    deflated.bytes.resize(compressBound(static_cast<uLong>(piece.size())) + kFlushRoom);
    underWay_.push_back({std::async(std::launch::async,
                                    [stream, text = std::move(piece), dictionary = dictionary_,
                                     last, deflated = std::move(deflated)]() mutable {
                                        deflated.crc = crcOf(text);
                                        deflateInto(*stream, text, dictionary, last,
                                                    deflated.bytes);
                                        return std::move(deflated);
                                    }),
                         stream});
}

void PieceDeflater::handOnOldest() {
    UnderWay oldest = std::move(underWay_.front());
    underWay_.pop_front();
    idle_.push_back(oldest.stream);
    const Deflated deflated = oldest.deflated.get();
    crc_ = static_cast<std::uint32_t>(
        crc32_combine(crc_, deflated.crc, static_cast<z_off_t>(deflated.size)));
    size_ += deflated.size;
    sink_(deflated.bytes);
}

}  // namespace glossel::xlsx
