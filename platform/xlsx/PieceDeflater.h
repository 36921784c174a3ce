// Deflating a part's text on worker threads, a piece each, while the caller goes on making the
// next pieces. Each piece is deflated with the 32 KiB of text before it as its dictionary and
// ends on a byte boundary (a sync flush; the last one ends the stream), so that the pieces
// joined in order are one deflate stream, nearly as small as one deflated in one go.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <zlib.h>

namespace glossel::xlsx {

// The deflated bytes of a part, handed on in order, piece by piece.
using DeflatedSink = std::function<void(std::span<const unsigned char>)>;

class PieceDeflater {
public:
    explicit PieceDeflater(int level);
    ~PieceDeflater();
    PieceDeflater(const PieceDeflater&) = delete;
    PieceDeflater& operator=(const PieceDeflater&) = delete;

    // Starts a part whose deflated bytes go to `sink`.
    void begin(DeflatedSink sink);
    // Deflates `piece` (copied) as the next piece of the part; hands on the pieces done by now,
    // waiting for the oldest when as many are under way as there are threads to deflate them.
    void add(std::string_view piece);
    // Ends the part: deflates what is left and waits for every piece.
    void finish();

    std::uint64_t size() const { return size_; }
    std::uint32_t crc() const { return crc_; }

private:
    // One piece deflated: its bytes, and the length and CRC-32 of its text.
    struct Deflated {
        std::vector<unsigned char> bytes;
        std::uint64_t size = 0;
        std::uint32_t crc = 0;
    };
    // A piece under way and the stream it has to itself until it is handed on.
    struct UnderWay {
        std::future<Deflated> deflated;
        z_stream* stream;
    };

    void start(std::string piece, bool last);
    void handOnOldest();
    z_stream* idleStream();

    int level_;
    std::size_t threads_;
    // Streams are set up in the calling thread and reused (each holds a quarter megabyte of
    // tables), so that the worker threads take no memory of their own.
    std::vector<std::unique_ptr<z_stream>> streams_;
    std::vector<z_stream*> idle_;
    DeflatedSink sink_;
    std::string dictionary_;
    std::deque<UnderWay> underWay_;  // after the streams: waited for before they are ended
    std::uint64_t size_ = 0;
    std::uint32_t crc_ = 0;
};

}  // namespace glossel::xlsx
