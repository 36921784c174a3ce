// Reading the lines of a ".reg" file into key sections and values.
#include <algorithm>

#include "platform/systools/RegDocument.h"
#include "platform/systools/RegFileFormat.h"
#include "platform/systools/RegValueText.h"
#include "platform/systools/RegistryNames.h"

namespace glossel::systools {
namespace {

class Parser {
public:
    Parser(RegDocument& document, const std::string& source)
        : document_(document), lines_(document.text.lines), source_(source) {}

    void run() {
        if (lines_.empty() || trimmed(lines_[0].text) != kRegHeader) {
            fail(0, "die erste Zeile muss '" + std::string(kRegHeader) + "' lauten");
        }
        for (std::size_t i = 1; i < lines_.size(); ++i) {
            const std::string_view line = trimmed(lines_[i].text);
            if (line.empty() || line.front() == kCommentStart) {
                continue;
            }
            if (line.front() == kKeyStart) {
                closeSection();
                openSection(line, i);
            } else if (line.front() == '"' || line.front() == kDefaultValueName) {
                i = readValue(line, i);
            } else {
                fail(i, "weder Schlüssel noch Wert noch Kommentar");
            }
        }
        closeSection();
    }

private:
    [[noreturn]] void fail(std::size_t index, const std::string& what) const {
        throwRegSyntaxError(source_, index + 1, what);
    }

    void openSection(std::string_view line, std::size_t index) {
        if (line.back() != kKeyEnd) {
            fail(index, "der Schlüsselzeile fehlt die schliessende Klammer ']'");
        }
        std::string_view inner = line.substr(1, line.size() - 2);
        RegSection section;
        section.firstLine = index;
        section.removesKey = !inner.empty() && inner.front() == kKeyRemoval;
        if (section.removesKey) {
            inner.remove_prefix(1);
        }
        auto path = splitKeyPath(inner);
        if (!path || path->empty()) {
            fail(index, "leerer Schlüsselname (doppelter, führender oder abschliessender \\)");
        }
        const std::string hive = foldName(path->front());
        const auto known =
            std::find_if(kHiveNames.begin(), kHiveNames.end(),
                         [&](std::string_view name) { return foldName(name) == hive; });
        if (known == kHiveNames.end()) {
            fail(index, "unbekannter Hauptschlüssel '" + path->front() + "'");
        }
        if (path->size() > kMaxKeyDepth + 1) {
            fail(index, "mehr als " + std::to_string(kMaxKeyDepth) + " Schlüsselebenen");
        }
        if (section.removesKey && path->size() == 1) {
            fail(index, "ein Hauptschlüssel lässt sich nicht entfernen");
        }
        path->front() = std::string(*known);
        section.path = std::move(*path);
        document_.sections.push_back(std::move(section));
        open_ = true;
        lastContentLine_ = index;
    }

    // Reads the value starting in line `index`; returns the index of its last line.
    std::size_t readValue(std::string_view line, std::size_t index) {
        if (!open_) {
            fail(index, "Wert vor der ersten Schlüsselzeile");
        }
        RegSection& section = document_.sections.back();
        if (section.removesKey) {
            fail(index, "Wert unter einer Zeile, die einen Schlüssel entfernt");
        }
        RegValueEntry entry;
        std::size_t at = 1;
        std::string problem;
        if (line.front() == '"') {
            at = 0;
            auto name = readQuoted(line, at, problem);
            if (!name) {
                fail(index, "Wertname: " + problem);
            }
            entry.name = std::move(*name);
        }
        const std::string_view rest = trimmed(line.substr(at));
        if (rest.empty() || rest.front() != '=') {
            fail(index, "nach dem Wertnamen fehlt '='");
        }
        std::string data(trimmed(rest.substr(1)));
        std::size_t last = index;
        while (data.starts_with(kHexPrefix) && data.ends_with(kLineContinuation)) {
            data.pop_back();
            if (++last == lines_.size()) {
                fail(index, "die Fortsetzungszeile fehlt am Dateiende");
            }
            data += trimmed(lines_[last].text);
        }
        if (data != "-") {
            auto value = readValueData(data, problem);
            if (!value) {
                fail(index, problem);
            }
            entry.value = std::move(*value);
        }
        section.values.push_back(std::move(entry));
        lastContentLine_ = last;
        return last;
    }

    void closeSection() {
        if (!open_) {
            return;
        }
        std::size_t end = lastContentLine_ + 1;
        while (end < lines_.size() && trimmed(lines_[end].text).empty()) {
            ++end;
        }
        document_.sections.back().endLine = end;
        open_ = false;
    }

    RegDocument& document_;
    const std::vector<RegLine>& lines_;
    const std::string& source_;
    bool open_ = false;
    std::size_t lastContentLine_ = 0;
};

}  // namespace

RegDocument parseRegDocument(std::span<const std::uint8_t> bytes, const std::string& source) {
    RegDocument document{splitRegLines(bytes, source), {}};
    Parser(document, source).run();
    return document;
}

}  // namespace glossel::systools
