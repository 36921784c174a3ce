// XLIFF documents as exchange files: the export holds what the workbook export holds, passes the
// strict schema and reads in translate-toolkit; what a translation tool returns comes back by ID,
// language by language, with its states and stale sources said; and what cannot be taken is
// refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/dao/DBEngine.h"
#include "tests/OtherReaders.h"
#include "tests/TestDatabase.h"
#include "tests/transfer/ImportTestSupport.h"
#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"

namespace glossel::transfer::test {
namespace {

namespace fs = std::filesystem;

std::string textOf(const std::string& path) {
    const std::vector<std::uint8_t> bytes = glossel::test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
    glossel::test::writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Replaces the one occurrence of `from`.
void replaceOnce(std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    ASSERT_EQ(text.find(from, at + 1), std::string::npos) << from;
    text.replace(at, from.size(), to);
}

std::string shownText(const Variant& value) {
    const auto* text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

class XliffTransfer : public ImportFixture {
protected:
    // The unit of `id` in the <file> for `target`, cut out of the document's text.
    static std::string unitOf(const std::string& document, const std::string& targetTag,
                              std::int64_t id) {
        const std::size_t file = document.find("target-language=\"" + targetTag + "\"");
        const std::size_t start = document.find("<trans-unit id=\"" + std::to_string(id) + "\"", file);
        const std::size_t end = document.find("</trans-unit>", start);
        return document.substr(start, end - start);
    }

    ImportSummary importFile(const std::string& file, const std::vector<std::int32_t>& lcids) {
        ImportOptions options;
        options.listChanges = true;
        return import(file, lcids, options);
    }
};

TEST_F(XliffTransfer, ExportHoldsWhatTheWorkbookHoldsValidatesAndReadsInTranslateToolkit) {
    const std::string workbook = exportTo("Texte.xls", {1031, 1033, 1049});
    const std::string document = exportTo("Texte.xlf", {1031, 1033, 1049}, 1031);
    EXPECT_EQ(glossel::test::xliffSchemaErrors(document), "");
    const std::string text = textOf(document);
    EXPECT_NE(text.find("original=\"Demo.tvs\" source-language=\"de-DE\" "
                        "target-language=\"en-US\" datatype=\"plaintext\""),
              std::string::npos);
    EXPECT_LT(text.find("target-language=\"en-US\""), text.find("target-language=\"ru-RU\""));
    EXPECT_NE(text.find("maxwidth=\"255\" size-unit=\"char\" xml:space=\"preserve\""),
              std::string::npos);
    EXPECT_NE(text.find("Zeile 1&#13;\nZeile 2"), std::string::npos);

    // Every row with a German text, once per target language, as the workbook shows it.
    const auto german = columnById(workbook, "L1031", "TidxTexts$");
    const auto descriptions = columnById(workbook, "Description", "TidxTexts$");
    std::vector<glossel::test::ToolkitUnit> expected;
    for (const char* column : {"L1033", "L1049"}) {
        const auto targets = columnById(workbook, column, "TidxTexts$");
        for (const auto& [id, source] : german) {
            if (shownText(source).empty()) {
                continue;
            }
            const std::string target = shownText(targets.at(id));
            expected.push_back({"Demo.tvs", std::to_string(id), shownText(source),
                                target.empty() ? "-" : target, shownText(descriptions.at(id))});
        }
    }
    std::vector<glossel::test::ToolkitUnit> read = glossel::test::translateToolkitUnits(document);
    const auto byFileAndId = [](const auto& a, const auto& b) {
        return std::tie(a.original, a.note, a.id, a.target) <
               std::tie(b.original, b.note, b.id, b.target);
    };
    std::sort(expected.begin(), expected.end(), byFileAndId);
    std::sort(read.begin(), read.end(), byFileAndId);
    EXPECT_EQ(read.size(), expected.size());
    EXPECT_TRUE(read == expected);
}

TEST_F(XliffTransfer, WhatATranslationToolReturnsComesBackByIdWithStatesAndStaleSources) {
    const std::string document = exportTo("Texte.xlf", {1031, 1033, 1049}, 1033);
    std::string text = textOf(document);
    const std::string russian1 = unitOf(text, "ru-RU", 1);
    std::string changed = russian1;
    replaceOnce(changed, "<target state=\"translated\">Двигатель 1 работает</target>",
                "<target state=\"final\"><mrk mtype=\"seg\" mid=\"1\">Двигатель 1</mrk> "
                "<mrk mtype=\"seg\" mid=\"2\">включён</mrk></target>");
    replaceOnce(changed, "<source>Motor 1 running</source>", "<source>Motor one running</source>");
    replaceOnce(text, russian1, changed);
    const std::string russian2 = unitOf(text, "ru-RU", 2);
    std::string untranslated = russian2;
    replaceOnce(untranslated, "state=\"translated\">", "state=\"needs-translation\">Не то");
    replaceOnce(text, russian2, untranslated);
    // A language the project lacks, from a tool that names it without region.
    text.replace(text.find("</xliff>"), 8,
                 "<file original=\"Demo.tvs\" source-language=\"en\" target-language=\"it\" "
                 "datatype=\"plaintext\" xmlns:okp=\"okapi-framework:xliff-extensions\" "
                 "okp:inputEncoding=\"UTF-8\"><body><group id=\"g\">"
                 "<trans-unit id=\"3\"><source>Pump pressure too high</source>"
                 "<target>Pressione della pompa troppo alta</target></trans-unit>"
                 "<trans-unit id=\"999\"><source>x</source><target>y</target></trans-unit>"
                 "</group></body></file></xliff>\n");
    writeText(document, text);

    EXPECT_EQ(ExchangeFileLanguages(document), (std::vector<std::int32_t>{1031, 1049, 1040}));
    const ImportSummary summary = importFile(document, {1049, 1040});
    ASSERT_EQ(summary.languages.size(), 2u);
    EXPECT_EQ(summary.languages[0].changed, 1u);
    EXPECT_EQ(summary.languages[0].notTranslated, 1u);
    EXPECT_TRUE(summary.languages[1].newColumn);
    EXPECT_EQ(summary.languages[1].changed, 1u);
    EXPECT_EQ(summary.firstUnknownIds, (std::vector<std::int64_t>{999}));
    ASSERT_EQ(summary.staleSources.size(), 1u);
    EXPECT_EQ(summary.staleSources[0].id, 1);
    EXPECT_EQ(summary.staleSources[0].lcid, 1049);
    const std::string said = describeChanges(summary, {});
    EXPECT_NE(said.find("1 Einheit noch nicht übersetzt"), std::string::npos) << said;
    EXPECT_NE(said.find("keine leeren Ziele übersprungen"), std::string::npos) << said;
    EXPECT_NE(said.find("Ausgangstext im Projekt geändert (übernommen, bitte prüfen): ID 1, "),
              std::string::npos)
        << said;

    const std::string again = exportTo("Wieder.xls", {1049, 1040});
    EXPECT_EQ(columnById(again, "L1049", "TidxTexts$").at(1),
              Variant(std::string("Двигатель 1 включён")));
    EXPECT_EQ(columnById(again, "L1049", "TidxTexts$").at(2),
              Variant(std::string("Двигатель 1 остановлен")));
    EXPECT_EQ(columnById(again, "L1040", "TidxTexts$").at(3),
              Variant(std::string("Pressione della pompa troppo alta")));
}

TEST_F(XliffTransfer, UntouchedExportComesBackWithoutWritingAnything) {
    const std::string document = exportTo("Texte.xlf", {1031, 1049}, 1031);
    const DirectorySnapshot before = snapshot();
    const ImportSummary summary = importFile(document, {1049});
    EXPECT_FALSE(summary.changesProject());
    EXPECT_EQ(summary.languages[0].changed, 0u);
    EXPECT_TRUE(summary.staleSources.empty());
    EXPECT_EQ(snapshot(), before);
}

TEST_F(XliffTransfer, ImportRefusalsWriteNothing) {
    const std::string document = exportTo("Texte.xlf", {1031, 1049}, 1031);
    const std::string text = textOf(document);
    const auto refused = [&](const std::string& changed, int number, const std::string& part,
                             std::int32_t lcid = 1049) {
        writeText(document, changed);
        const DirectorySnapshot before = snapshot();
        const Error error = glossel::test::errorOf([&] { importFile(document, {lcid}); });
        EXPECT_EQ(error.number(), number) << error.description();
        EXPECT_NE(error.description().find(part), std::string::npos) << error.description();
        EXPECT_EQ(snapshot(), before);
    };
    std::string unknownTag = text;
    replaceOnce(unknownTag, "target-language=\"ru-RU\"", "target-language=\"tlh\"");
    refused(unknownTag, 3343, "die Sprache \"tlh\", für die es keine Windows-Sprache");
    std::string twoFiles = text;
    twoFiles.replace(twoFiles.find("</xliff>"), 8,
                     "<file original=\"b\" source-language=\"de\" target-language=\"ru\" "
                     "datatype=\"plaintext\"><body><trans-unit id=\"5\"><source>a</source>"
                     "<target>b</target></trans-unit></body></file></xliff>");
    refused(twoFiles, 3022, "Die ID 5 hat in der XLIFF-Datei zwei Einheiten der Sprache L1049");
    std::string inline_ = text;
    replaceOnce(inline_, ">Двигатель 1 работает<", "><ph id=\"1\">{0}</ph> работает<");
    refused(inline_, 3049, "das Ziel der ID 1 enthält das Element <ph>");
    std::string wordId = text;
    wordId.replace(wordId.find("<trans-unit id=\"1\""), 18, "<trans-unit id=\"eins\"");
    refused(wordId, 13, "Die ID \"eins\" in Zeile");
    refused(text, 3265, "keine Übersetzung in die Sprache L1033", 1033);
}

TEST_F(XliffTransfer, ExportRefusesWhatXmlCannotCarryAndNeedsASourceAndATarget) {
    {
        dao::Database project = dao::DBEngine().OpenDatabase(project_);
        dao::Recordset records = project.OpenRecordset("TidxTexts");
        for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
            const Variant& id = records.Fields().Item("ID").Value();
            if (id == Variant(std::int32_t{3})) {
                records.Edit();
                records.Fields().Item("L1049").SetValue(std::string("Druck\x01"));
                records.Update();
            }
        }
        project.Close();
    }
    SortedListBox list;
    FillLanguageList(project_, list);
    for (int i = 0; i < list.ListCount(); ++i) {
        list.SetSelected(i, list.ItemData(i) == 1031 || list.ItemData(i) == 1049);
    }
    struct Recorded : MessageBoxes {
        void ShowPlain(const std::string& text) override { shown.push_back(text); }
        void ShowInformation(const std::string& text) override { shown.push_back(text); }
        std::vector<std::string> shown;
    } messages;
    const std::string target = files_ + "/Texte.xlf";
    writeText(target, "alt");
    EXPECT_FALSE(ExportSelectedLanguages(project_, list, target, messages, 1031));
    EXPECT_NE(messages.shown.back().find(
                  "ID 3, L1049: das Zeichen U+0001 kann eine XLIFF-Datei nicht enthalten."),
              std::string::npos)
        << messages.shown.back();
    EXPECT_FALSE(ExportSelectedLanguages(project_, list, target, messages, 1033));
    EXPECT_NE(messages.shown.back().find("Ausgangssprache unter den gewählten Sprachen"),
              std::string::npos);
    for (int i = 0; i < list.ListCount(); ++i) {
        list.SetSelected(i, list.ItemData(i) == 1031);
    }
    EXPECT_FALSE(ExportSelectedLanguages(project_, list, target, messages, 1031));
    EXPECT_EQ(textOf(target), "alt");
    EXPECT_EQ(std::distance(fs::directory_iterator(files_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace glossel::transfer::test
