// The XLIFF engine: what the writer writes reads back as written and passes the strict schema and
// translate-toolkit; the shapes translation tools return read as meant; and what a document from
// outside must not hold is refused with the number, the problem and the line.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Error.h"
#include "platform/files/File.h"
#include "platform/xliff/XliffFormat.h"
#include "platform/xliff/XliffReader.h"
#include "platform/xliff/XliffWriter.h"
#include "tests/OtherReaders.h"
#include "tests/TestFiles.h"

namespace glossel::xliff {
namespace {

struct Written {
    std::string id;
    std::string source;
    std::optional<std::string> target;
    std::string note;
};

// Longer than one read piece, with multi-byte characters across its boundaries.
std::string longText() {
    std::string text;
    while (text.size() < 200'000) {
        text += "äöü€😀\r\n";
    }
    return text;
}

const std::vector<Written> kWritten = {
    {"1", "Zeile 1\nZeile 2", "Line 1\nLine 2", "LF"},
    {"2", "Zeile 1\rZeile 2", "Line 1\r\nLine 2", "CR und CR LF"},
    {"3", "<b> & \"Anführung\" 'einfach' ]]>", "<b> & \"quotes\" 'single' ]]>", ""},
    {"4", "  führende und folgende  ", "\tleading and trailing\n", ""},
    {"5", "Русский, 日本語, 😀", "Ελληνικά, 中文, 👍🏽", "Notiz mit <&>"},
    {"6", "Ohne Ziel", std::nullopt, ""},
    {"7", "Leeres Ziel", "", ""},
    {"8 & \"9\"", longText(), longText(), ""},
};

// A file per target language, each with every unit of kWritten.
std::string writtenFile(const test::TempDir& dir) {
    const std::string path = dir.path("Export.xlf");
    files::File file;
    EXPECT_EQ(file.open(path, files::Access::createNew), 0);
    XliffWriter writer(file, path);
    for (const char* language : {"en-US", "fr-FR"}) {
        writer.beginFile({"Demo.tvs", "de-DE", language});
        for (const Written& unit : kWritten) {
            std::optional<std::string_view> target;
            if (unit.target) {
                target = *unit.target;
            }
            writer.unit({unit.id, unit.source, target, unit.note, 40});
        }
        writer.endFile();
    }
    writer.finish();
    return path;
}

TEST(XliffRoundTrip, WrittenTextsReadBackAsWritten) {
    test::TempDir dir;
    const std::string path = writtenFile(dir);
    const auto bytes = test::readBytes(path);
    const std::string document(bytes.begin(), bytes.end());
    EXPECT_EQ(document.find('\r'), std::string::npos);
    EXPECT_NE(document.find("Zeile 1&#13;Zeile 2"), std::string::npos);

    const XliffDocument read = readXliff(path);
    ASSERT_EQ(read.files.size(), 2u);
    EXPECT_EQ(read.files[1].targetLanguage, "fr-FR");
    for (const XliffReadFile& file : read.files) {
        EXPECT_EQ(file.sourceLanguage, "de-DE");
        ASSERT_EQ(file.units.size(), kWritten.size());
        for (std::size_t i = 0; i < kWritten.size(); ++i) {
            const XliffReadUnit& unit = file.units[i];
            EXPECT_EQ(unit.id, kWritten[i].id);
            EXPECT_EQ(unit.source, kWritten[i].source) << unit.id;
            EXPECT_EQ(unit.hasTarget, kWritten[i].target.has_value()) << unit.id;
            EXPECT_EQ(unit.target, kWritten[i].target.value_or("")) << unit.id;
            EXPECT_EQ(unit.translated, unit.hasTarget) << unit.id;
            EXPECT_GT(unit.line, i == 0 ? file.line : file.units[i - 1].line) << unit.id;
        }
    }
}

TEST(XliffRoundTrip, SchemaAndTranslateToolkitTakeTheWrittenFile) {
    test::TempDir dir;
    const std::string path = writtenFile(dir);
    EXPECT_EQ(test::xliffSchemaErrors(path), "");
    // The schema does refuse: a state it does not know.
    const auto bytes = test::readBytes(path);
    std::string bad(bytes.begin(), bytes.end());
    bad.replace(bad.find("state=\"translated\""), 18, "state=\"fertig\"");
    test::writeBytes(dir.path("Falsch.xlf"), {bad.begin(), bad.end()});
    EXPECT_NE(test::xliffSchemaErrors(dir.path("Falsch.xlf")), "");

    const std::vector<test::ToolkitUnit> read = test::translateToolkitUnits(path);
    ASSERT_EQ(read.size(), 2 * kWritten.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        const Written& unit = kWritten[i % kWritten.size()];
        EXPECT_TRUE(read[i] == (test::ToolkitUnit{"Demo.tvs", unit.id, unit.source,
                                                  unit.target.value_or("-"), unit.note}))
            << "unit " << unit.id;
    }
}

// A unit as "id|source|target|translated", target "-" where there is none.
std::vector<std::string> shown(const XliffReadFile& file) {
    std::vector<std::string> units;
    for (const XliffReadUnit& unit : file.units) {
        units.push_back(unit.id + "|" + unit.source + "|" + (unit.hasTarget ? unit.target : "-") +
                        "|" + (unit.translated ? "1" : "0"));
    }
    return units;
}

TEST(XliffShapes, SegmentedTargetsAndOtherNamespaces) {
    const XliffDocument read = readXliff(test::dataPath("xliff/segmented.xlf"));
    ASSERT_EQ(read.files.size(), 1u);
    EXPECT_EQ(read.files[0].targetLanguage, "fr-FR");
    EXPECT_EQ(shown(read.files[0]),
              (std::vector<std::string>{
                  "1|Datei speichern. Programm beenden.|Enregistrer le fichier. Quitter le "
                  "programme.|1",
                  "2|Ja|Oui|1", "3|Abbrechen||1"}));
}

TEST(XliffShapes, StatesGroupsFilesAndTranslateToolkit) {
    const XliffDocument read = readXliff(test::dataPath("xliff/states_groups.xlf"));
    ASSERT_EQ(read.files.size(), 2u);
    EXPECT_EQ(shown(read.files[0]),
              (std::vector<std::string>{
                  "1|Neu|New|0", "2|Öffnen|Open|0", "3|Speichern|Save|1", "4|Drucken|Print|1",
                  "5|Schließen|Close|1", "6|Beenden|Quit|1", "7|Hilfe|Help|1", "8|Info|About|1",
                  "9|Ansicht|Wiew|0", "10|Fenster|Window|1", "11|Extras|-|0"}));
    EXPECT_EQ(read.files[0].units[0].line, 8u);
    // The same IDs again in the next <file>; white space as it stands, whatever xml:space says.
    EXPECT_EQ(read.files[1].targetLanguage, "fr-FR");
    EXPECT_EQ(shown(read.files[1]),
              (std::vector<std::string>{"1|  Zwei  Leerzeichen  |  Deux  espaces  |1",
                                        "2|Ein\n  Umbruch|Un\n  saut|1"}));

    const XliffDocument toolkit = readXliff(test::dataPath("xliff/translate_toolkit.xlf"));
    ASSERT_EQ(toolkit.files.size(), 2u);
    EXPECT_EQ(toolkit.files[0].targetLanguage, "ru-RU");
    EXPECT_EQ(shown(toolkit.files[0]),
              (std::vector<std::string>{
                  "1|Willkommen|Добро пожаловать|1", "2|Zeile 1\r\nZeile 2|Строка 1\r\nСтрока 2|1",
                  "3| Speichern & <Beenden> | Сохранить и выйти |0", "4|Leer|-|0"}));
    EXPECT_EQ(shown(toolkit.files[1]),
              (std::vector<std::string>{"1|Willkommen|Bienvenue|1", "4|Leer|Vide|1"}));
}

// Without `prolog`, <file> stands on line 4 and `body` starts on line 5.
std::string document(const std::string& body,
                     const std::string& file = "source-language=\"de-DE\" target-language=\"en\"",
                     const std::string& prolog = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + prolog +
           "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"\n"
           "  xmlns:sdl=\"http://sdl.com/FileTypes/SdlXliff/1.0\">\n<file " +
           file + "><body>\n" + body + "\n</body></file></xliff>\n";
}

std::string repeated(const std::string& text, unsigned times) {
    std::string out;
    for (unsigned i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

Error refusal(const std::string& text) {
    try {
        parseXliff(text, "Rückgabe.xlf");
    } catch (const Error& error) {
        EXPECT_NE(error.description().find("'Rückgabe.xlf'"), std::string::npos);
        return error;
    }
    ADD_FAILURE() << "accepted:\n" << text;
    return Error(0, "");
}

// Refused as damaged, the description naming the line and each of `named`.
void expectDamaged(const std::string& text, std::uint64_t line,
                   const std::vector<std::string>& named) {
    const Error error = refusal(text);
    EXPECT_EQ(error.number(), err::kDamaged) << text;
    const std::string& said = error.description();
    EXPECT_NE(said.find("(Zeile " + std::to_string(line) + ")"), std::string::npos) << said;
    for (const std::string& part : named) {
        EXPECT_NE(said.find(part), std::string::npos) << said;
    }
}

const std::string kUnit = "<trans-unit id=\"1\"><source>a</source><target>b</target></trans-unit>";

TEST(XliffRefusals, DeclarationsAreNeverExpanded) {
    std::string laughs = "<!DOCTYPE xliff [\n<!ENTITY l0 \"ha\">\n";
    for (int i = 1; i < 10; ++i) {
        laughs += "<!ENTITY l" + std::to_string(i) + " \"" +
                  repeated("&l" + std::to_string(i - 1) + ";", 10) + "\">\n";
    }
    const auto started = std::chrono::steady_clock::now();
    expectDamaged(document("<trans-unit id=\"1\"><source>&l9;</source></trans-unit>",
                           "source-language=\"de\" target-language=\"en\"", laughs + "]>\n"),
                  2, {"DOCTYPE"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));

    expectDamaged(
        "<?xml version=\"1.0\"?>\n<!DOCTYPE xliff [\n"
        "<!ENTITY geheim SYSTEM \"file:///etc/passwd\">\n]>\n"
        "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">&geheim;</xliff>",
        2, {"DOCTYPE"});
    expectDamaged(
        "<?xml version=\"1.0\"?>\n<!DOCTYPE xliff SYSTEM \"http://example.invalid/x.dtd\">"
        "\n<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"/>",
        2, {"DOCTYPE"});
    // Without a declaration, a reference is an error of the XML.
    expectDamaged(document("<trans-unit id=\"1\"><source>&geheim;</source></trans-unit>"), 5,
                  {"fehlerhaft"});
}

TEST(XliffRefusals, DocumentsThatAreNoXliff) {
    for (const auto& [text, named] : std::vector<std::pair<std::string, std::string>>{
             {"<html xmlns=\"http://www.w3.org/1999/xhtml\"><body><p>Hallo</p></body></html>",
              "<html>"},
             {"<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"/>",
              "<xliff>"},
             {"<xliff version=\"1.2\"><file/></xliff>", "<xliff>"},
         }) {
        const Error error = refusal(text);
        EXPECT_EQ(error.number(), err::kUnrecognisedFormat) << text;
        EXPECT_NE(error.description().find(named), std::string::npos) << error.description();
    }
}

TEST(XliffRefusals, MissingLanguagesAndIds) {
    expectDamaged(document(kUnit, "source-language=\"de\""), 4, {"<file>", "target-language"});
    // An attribute of another namespace is not the one XLIFF means.
    expectDamaged(document(kUnit, "source-language=\"de\" sdl:target-language=\"en\""), 4,
                  {"target-language"});
    expectDamaged(document(kUnit, "target-language=\"en\""), 4, {"source-language"});
    expectDamaged(document("<trans-unit><source>a</source></trans-unit>"), 5,
                  {"<trans-unit>", "Attribut id"});
    expectDamaged(document("<trans-unit id=\"\"><source>a</source></trans-unit>"), 5,
                  {"Attribut id"});
    expectDamaged(document(kUnit + "\n" + kUnit), 6, {"ID 1", "zweimal", "Zeile 4"});
    expectDamaged(document("<trans-unit id=\"" + std::string(kMaxAttributeBytes + 1, '7') +
                           "\"><source>a</source></trans-unit>"),
                  5, {"Attribut id", std::to_string(kMaxAttributeBytes)});
}

// Among many ids one repeated: found wherever it stands, the later unit named with the earlier.
// Ids that differ only in case or by a space are different ids, and so is an id in another file.
TEST(XliffRefusals, AnIdRepeatedAmongManyInOneFile) {
    std::string units;
    for (int id = 0; id < 5000; ++id) {
        units += "<trans-unit id=\"u" + std::to_string(id) + "\"><source>a</source></trans-unit>\n";
    }
    const std::string again = "<trans-unit id=\"u4711\"><source>b</source></trans-unit>";
    expectDamaged(document(units + again), 5005, {"ID u4711", "zweimal", "Zeile 4716"});

    const std::string alike = "<trans-unit id=\"U4711\"><source>a</source></trans-unit>\n"
                              "<trans-unit id=\"u4711 \"><source>a</source></trans-unit>";
    const XliffDocument read = parseXliff(
        document(units + alike + "\n</body></file><file source-language=\"de-DE\" "
                                 "target-language=\"fr\"><body>\n" + units),
        "Rückgabe.xlf");
    ASSERT_EQ(read.files.size(), 2u);
    EXPECT_EQ(read.files[0].units.size(), 5002u);
    EXPECT_EQ(read.files[1].units.size(), 5000u);
}

TEST(XliffRefusals, InlineElementsInTargets) {
    for (const std::string code :
         {"<ph id=\"1\">%d</ph>", "<g id=\"1\">fett</g>", "<x id=\"1\"/>", "<bx id=\"1\"/>"}) {
        const std::string name = code.substr(0, code.find(' ')) + ">";
        expectDamaged(document("<trans-unit id=\"7\"><source>a</source>\n<target>Seite " + code +
                               "</target></trans-unit>"),
                      6, {"ID 7", name});
    }
    // A source may hold them: codes are left out, the text of a <g> kept.
    const XliffDocument read = parseXliff(
        document("<trans-unit id=\"7\"><source>Seite <ph id=\"1\">%d</ph> von <g id=\"2\">3</g>"
                 "</source><target>Page</target></trans-unit>"),
        "Rückgabe.xlf");
    EXPECT_EQ(read.files.at(0).units.at(0).source, "Seite  von 3");
    EXPECT_EQ(read.files.at(0).units.at(0).target, "Page");
}

TEST(XliffRefusals, DamageAndLimits) {
    expectDamaged(document("<trans-unit id=\"1\"><source>a</target></trans-unit>"), 5,
                  {"fehlerhaft"});
    expectDamaged(document("<trans-unit id=\"1\"><source>a</source>\n<target>b</target>"
                           "<target>c</target></trans-unit>"),
                  6, {"ID 1", "zwei Ziele"});
    expectDamaged(document("<trans-unit id=\"1\"><source>a</source>\n<source>b</source>"
                           "</trans-unit>"),
                  6, {"ID 1", "zwei Ausgangstexte"});
    EXPECT_EQ(refusal("").number(), err::kDamaged);
    EXPECT_EQ(refusal(document(kUnit).substr(0, 150)).number(), err::kDamaged);

    const std::string full(kMaxTextBytes, 'a');
    EXPECT_EQ(parseXliff(document("<trans-unit id=\"1\"><source>" + full + "</source><target>" +
                                  full + "</target></trans-unit>"),
                         "Rückgabe.xlf")
                  .files.at(0)
                  .units.at(0)
                  .target.size(),
              kMaxTextBytes);
    expectDamaged(document("<trans-unit id=\"1\"><source>" + full + "a</source></trans-unit>"), 5,
                  {"ID 1", std::to_string(kMaxTextBytes)});

    // <source> as deep as allowed (xliff, file, body, groups, trans-unit, source), then deeper.
    const auto nested = [](unsigned groups) {
        return document(repeated("<group>", groups) + kUnit + repeated("</group>", groups));
    };
    EXPECT_EQ(parseXliff(nested(kMaxXmlDepth - 5), "Rückgabe.xlf").files.at(0).units.size(), 1u);
    expectDamaged(nested(kMaxXmlDepth - 4), 5, {std::to_string(kMaxXmlDepth)});

    test::TempDir dir;
    try {
        readXliff(dir.path("fehlt.xlf"));
        ADD_FAILURE() << "a missing file was read";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kFileNotFound);
        EXPECT_NE(error.description().find("fehlt.xlf"), std::string::npos);
    }
}

}  // namespace
}  // namespace glossel::xliff
