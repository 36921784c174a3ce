// Text made for a part in pieces: appended to a buffer that goes to the sink whenever it has
// grown past a quarter megabyte, so that a part of any size costs one such buffer.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace glossel::xlsx {

using PieceSink = std::function<void(std::string_view)>;

class PieceWriter {
public:
    explicit PieceWriter(const PieceSink& sink) : sink_(sink) { text.reserve(kPieceSize * 2); }
    ~PieceWriter() = default;
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    // Hands the text on when the buffer is full; called between elements.
    void handOnIfFull() {
        if (text.size() >= kPieceSize) {
            handOn();
        }
    }
    // Hands on what is left; called once at the end.
    void handOn() {
        if (!text.empty()) {
            sink_(text);
            text.clear();
        }
    }

    std::string text;  // appended to directly

private:
    static constexpr std::size_t kPieceSize = 1 << 18;
    const PieceSink& sink_;
};

}  // namespace glossel::xlsx
