// The document is built in a buffer that goes to the file whenever it holds a megabyte.
#include "platform/xliff/XliffWriter.h"

#include <span>

#include "platform/Error.h"
#include "platform/files/SystemErrorText.h"
#include "platform/xliff/XliffFormat.h"
#include "platform/xml/XmlEscape.h"

namespace glossel::xliff {
namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;

void appendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out += ' ';
    out += name;
    out += "=\"";
    xml::appendEscapedAttribute(out, value);
    out += '"';
}

void appendElement(std::string& out, std::string_view open, std::string_view name,
                   std::string_view text) {
    out += "        <";
    out += open;
    out += '>';
    xml::appendEscapedContent(out, text);
    out += "</";
    out += name;
    out += ">\n";
}

}  // namespace

XliffWriter::XliffWriter(files::File& file, std::string shownPath)
    : file_(file), shownPath_(std::move(shownPath)) {
    buffer_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xliff version=\"1.2\"";
    appendAttribute(buffer_, "xmlns", kNamespace12);
    buffer_ += ">\n";
}

void XliffWriter::beginFile(const XliffFileStart& start) {
    buffer_ += "  <file";
    appendAttribute(buffer_, "original", start.original);
    appendAttribute(buffer_, "source-language", start.sourceLanguage);
    appendAttribute(buffer_, "target-language", start.targetLanguage);
    appendAttribute(buffer_, "datatype", kDatatype);
    buffer_ += ">\n    <body>\n";
}

void XliffWriter::unit(const XliffUnit& unit) {
    buffer_ += "      <trans-unit";
    appendAttribute(buffer_, "id", unit.id);
    if (unit.maxWidth) {
        appendAttribute(buffer_, "maxwidth", std::to_string(*unit.maxWidth));
        appendAttribute(buffer_, "size-unit", "char");
    }
    buffer_ += " xml:space=\"preserve\">\n";
    appendElement(buffer_, "source", "source", unit.source);
    if (unit.target) {
        std::string open = "target state=\"";
        open += kTranslatedState;
        open += '"';
        appendElement(buffer_, open, "target", *unit.target);
    }
    if (!unit.note.empty()) {
        std::string open = "note from=\"";
        open += kNoteFrom;
        open += '"';
        appendElement(buffer_, open, "note", unit.note);
    }
    buffer_ += "      </trans-unit>\n";
    flushIfFull();
}

void XliffWriter::endFile() {
    buffer_ += "    </body>\n  </file>\n";
}

void XliffWriter::finish() {
    buffer_ += "</xliff>\n";
    flush();
}

void XliffWriter::flushIfFull() {
    if (buffer_.size() >= kFlushSize) {
        flush();
    }
}

void XliffWriter::flush() {
    const int error = file_.writeAll(std::span(
        reinterpret_cast<const std::uint8_t*>(buffer_.data()), buffer_.size()));
    if (error != 0) {
        std::string description = "Die XLIFF-Datei '";
        description += shownPath_;
        description += "' kann nicht geschrieben werden (";
        description += files::systemErrorText(error);
        description += ").";
        throw Error(err::kDiskIo, description);
    }
    buffer_.clear();
}

}  // namespace glossel::xliff
