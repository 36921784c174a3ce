// Reading the Unicode strings of BIFF8 records: a length, a flags byte (0x01 UTF-16 characters,
// else one byte per character; 0x04 a phonetic block follows; 0x08 formatting runs follow),
// then the characters. A string may go on in a CONTINUE record: a cut inside its characters
// starts the CONTINUE with a flags byte that sets the width of the rest; a cut anywhere else
// (header, runs, phonetic block) has no such byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xls/Record.h"

namespace glossel::xls {

// A string of the shared string table, with its formatting runs and phonetic block as stored.
struct RichString {
    std::u16string text;
    std::vector<std::uint8_t> runs;      // 4 bytes per run: character index, font
    std::vector<std::uint8_t> phonetic;  // the whole phonetic block
};

class StringReader {
public:
    StringReader(const RecordReader& record, std::size_t offset)
        : record_(record), offset_(offset) {}

    bool atEnd() const { return offset_ >= record_.size(); }

    // A string with a 16-bit length (SST entries, LABEL, STRING).
    RichString readRich();
    // A string with an 8-bit length and no runs (sheet names).
    std::u16string readShort();

private:
    std::uint8_t byte();
    std::uint16_t u16();
    std::uint32_t u32();
    std::vector<std::uint8_t> rawBytes(std::size_t count);
    std::u16string characters(std::size_t count, bool highByte);
    // The end of the part that holds offset_; sets `atStart` when offset_ begins a CONTINUE.
    std::size_t partEnd(bool& atStart);

    const RecordReader& record_;
    std::size_t offset_;
};

}  // namespace glossel::xls
