// Exchange files as other programs write them: python3-xlwt, LibreOffice and Gnumeric workbooks
// (made by the scripts in tests/data/import), formulas among them, a workbook Excel wrote, a
// database another Jet engine wrote, and a database whose only table has another name.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/xls/Workbook.h"
#include "platform/xls/Worksheet.h"
#include "tests/TestFiles.h"
#include "tests/transfer/ImportTestSupport.h"
#include "transfer/ExchangeTexts.h"

namespace glossel::transfer::test {
namespace {

using glossel::test::dataPath;
using ImportFile = ImportFixture;

std::vector<std::int64_t> idsOf(const std::vector<ExchangeRow>& rows) {
    std::vector<std::int64_t> ids;
    for (const ExchangeRow& row : rows) {
        ids.push_back(row.id);
    }
    return ids;
}

TEST_F(ImportFile, XlwtWorkbookWithColumnsInAnotherOrderHiddenRowsRichTextAndNumbers) {
    const std::string file = dataPath("import/xlwt_texts.xls");
    EXPECT_EQ(ExchangeFileLanguages(file), (std::vector<std::int32_t>{1049, 1031}));
    const std::vector<ExchangeRow> rows = readExchangeTexts(file, {1031, 1049});
    ASSERT_EQ(idsOf(rows), (std::vector<std::int64_t>{1, 2, 5, 7, 9999}));
    EXPECT_EQ(rows[1].place, "Zeile 3");
    EXPECT_EQ(rows[1].texts[1], "Двигатель 1 остановлен!");
    EXPECT_EQ(rows[1].texts[0], std::nullopt);
    EXPECT_EQ(rows[2].texts[0], "100");
    EXPECT_EQ(rows[2].texts[1], "1.5");
    EXPECT_EQ(rows[3].texts[0], "NOT-AUS gedrückt");

    const ImportSummary summary = import(file, {1031, 1049});
    EXPECT_EQ(summary.languages[0].changed, 3u);
    EXPECT_EQ(summary.languages[0].emptySkipped, 1u);
    EXPECT_EQ(summary.languages[1].changed, 2u);
    EXPECT_EQ(summary.languages[1].unchanged, 1u);
    EXPECT_EQ(summary.languages[1].emptySkipped, 1u);
    EXPECT_EQ(summary.firstUnknownIds, (std::vector<std::int64_t>{9999}));
    EXPECT_EQ(columnById(project_, "L1031").at(5), Variant(std::string("100")));
    EXPECT_EQ(columnById(project_, "L1049").at(2), Variant(std::string("Äâèãàòåëü 1 îñòàíîâëåí!")));
}

TEST_F(ImportFile, LibreOfficeWorkbookWithLineFeedsOnlyLeavesUnchangedTextsAsStored) {
    const ImportSummary summary = import(dataPath("import/libreoffice_texts.xls"), {1031, 1049});
    EXPECT_EQ(summary.languages[0].changed, 2u);
    EXPECT_EQ(summary.languages[0].unchanged, 2u);
    EXPECT_EQ(summary.languages[1].changed, 0u);
    EXPECT_EQ(summary.languages[1].unchanged, 3u);
    EXPECT_EQ(summary.languages[1].emptySkipped, 1u);
    const auto german = columnById(project_, "L1031");
    EXPECT_EQ(german.at(20), Variant(std::string("Zeile 1\r\nZeile 2")));
    EXPECT_EQ(german.at(22), Variant(std::string("Tessvia™ Bedienpult")));
}

TEST_F(ImportFile, StrictXmlWorkbookWithEscapesInEitherCaseAndPhoneticRuns) {
    const ImportSummary summary = import(dataPath("xlsx/hand_strict.xlsx"), {1031});
    EXPECT_EQ(summary.languages[0].changed, 1u);
    EXPECT_EQ(columnById(project_, "L1031").at(100),
              Variant(std::string("Wert _x0041_ & 'Grenze'")));
}

TEST_F(ImportFile, OpenpyxlWorkbookWithInlineTextsInAnotherSheet) {
    const ImportSummary summary = import(dataPath("xlsx/openpyxl_texts.xlsx"), {1031});
    EXPECT_EQ(summary.languages[0].changed, 3u);
    EXPECT_EQ(summary.firstUnknownIds, (std::vector<std::int64_t>{9999}));
    EXPECT_EQ(columnById(project_, "L1031").at(1), Variant(std::string("Motor 1 läuft jetzt")));
    EXPECT_EQ(columnById(project_, "L1031").at(65536), Variant(std::string("  Einrückung neu  ")));
}

TEST_F(ImportFile, SheetJsWorkbookWithTheProjectsTextsChangesNothing) {
    // CR LF written as _x000d_ and LF, IDs also as a text and as a formula.
    const ImportSummary summary = import(dataPath("xlsx/sheetjs_sst.xlsx"), {1031, 1033});
    EXPECT_EQ(summary.languages[0].changed, 0u);
    EXPECT_GT(summary.languages[0].unchanged, 0u);
}

TEST_F(ImportFile, ExcelWorkbookWithSharedStringsSplitOverContinueRecordsAndRichText) {
    // Excel's own cells in column D become the texts; an ID column is added by this program.
    const std::string file = files_ + "/Excel.xls";
    std::filesystem::copy_file(dataPath("xls/real/excel_poi_29982.xls"), file);
    {
        spreadsheet::WorkbookHandle workbook =
            xls::openWorkbook(file, spreadsheet::Access::Exclusive);
        spreadsheet::Worksheet& sheet = workbook->worksheet(std::size_t{0});
        sheet.setCell(0, 3, std::string("L1031"));
        sheet.setCell(0, 12, std::string("ID"));
        for (std::uint32_t row = 1; row < 168; ++row) {
            sheet.setCell(row, 12, static_cast<double>(row));
        }
        workbook.close();
    }
    const std::vector<ExchangeRow> rows = readExchangeTexts(file, {1031});
    ASSERT_EQ(rows.size(), 167u);
    EXPECT_EQ(rows[0].texts[0], "Última Atualização Documento");
    EXPECT_EQ(rows[2].texts[0], "Serviços");
    EXPECT_EQ(rows[8].texts[0],
              "1.2 Acompanhar e Alinhar as FDIS estratégicas para Tecnologia, com foco para 2005: "
              "SP Capital, Bandeirantes e Rio Grande do Sul.\n=> Verificar Pré-Venda exclusivo "
              "BAND ou outras FDIS SP.");
    ASSERT_TRUE(rows[23].texts[0]);
    EXPECT_TRUE(rows[23].texts[0]->ends_with("nos consultores e pessoas de campo …"));
    for (const ExchangeRow& row : rows) {
        EXPECT_TRUE(row.texts[0]) << row.place;
    }
}

TEST_F(ImportFile, DatabaseOfAnotherJetEngineWithLongValuesOnTheirOwnPages) {
    // Demo.tvs was written by Jackcess; its Western texts read alike in both forms.
    const std::string file = files_ + "/Jackcess.mdb";
    std::filesystem::copy_file(dataPath("jet/Demo.tvs"), file);
    const DirectorySnapshot before = snapshot();
    const ImportSummary summary = import(file, {1031, 1033, 1036});
    EXPECT_FALSE(summary.written);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(summary.languages[0].unchanged, 27u);
    EXPECT_EQ(summary.languages[2].unchanged + summary.languages[2].emptySkipped, 27u);

    useProject("jet/PrimaryKey.tvs");
    const ImportSummary added = import(file, {1036});
    EXPECT_EQ(added.languages[0].changed, 6u);
    EXPECT_EQ(columnById(project_, "L1036").at(4), Variant(std::string("Niveau du réservoir bas")));
}

// IDs may be formulas; a language cell is taken only with a text result, while a number result
// (LibreOffice stores 0 for every text result but the empty one in an .xls file) is listed as a
// formula without text result and leaves the project's text as it is.
TEST_F(ImportFile, FormulaCellsAreTakenOnlyWithATextResult) {
    const std::string gnumeric = dataPath("import/gnumeric_formulas.xls");
    const std::vector<ExchangeRow> rows = readExchangeTexts(gnumeric, {1031, 1033, 1049});
    ASSERT_EQ(idsOf(rows), (std::vector<std::int64_t>{2, 4, 5}));
    EXPECT_EQ(rows[0].texts[0], "Motor 1 angehalten");
    EXPECT_EQ(rows[0].texts[1], "Motor 1 stopped");
    EXPECT_EQ(rows[0].texts[2], "Двигатель 1 остановлен!");
    EXPECT_EQ(rows[1].texts[0], "Füllstand Tank leer");
    EXPECT_EQ(rows[1].texts[1], std::nullopt);  // =40+2
    EXPECT_EQ(rows[1].formulasWithoutText, std::vector<std::size_t>{1});
    EXPECT_EQ(rows[1].texts[2], std::nullopt);  // ="" gives an empty text
    EXPECT_EQ(rows[2].texts[0], "Motor 1 angehalten");
    EXPECT_EQ(rows[2].formulasWithoutText, std::vector<std::size_t>{1});

    const auto before = columnById(project_, "L1033");
    ImportOptions emptying;
    emptying.allowEmpty = true;
    const ImportSummary summary = import(gnumeric, {1031, 1033, 1049}, emptying);
    EXPECT_EQ(summary.languages[0].changed, 3u);
    EXPECT_EQ(summary.languages[1].formulasWithoutText, 2u);
    EXPECT_EQ(summary.languages[2].changed, 2u);  // the empty text empties it
    ASSERT_EQ(summary.formulasWithoutText.size(), 2u);
    EXPECT_EQ(summary.formulasWithoutText[0].id, 4);
    EXPECT_EQ(summary.formulasWithoutText[0].lcid, 1033);
    EXPECT_EQ(columnById(project_, "L1031").at(4), Variant(std::string("Füllstand Tank leer")));
    EXPECT_EQ(columnById(project_, "L1033").at(4), before.at(4));
    EXPECT_EQ(columnById(project_, "L1033").at(5), before.at(5));
    EXPECT_EQ(columnById(project_, "L1049").at(2), Variant(std::string("Äâèãàòåëü 1 îñòàíîâëåí!")));
    const std::string text = describeImport(summary, emptying);
    EXPECT_NE(text.find("2 Formeln ohne Textergebnis nicht übernommen"), std::string::npos) << text;
    EXPECT_NE(text.find("Formel ohne Textergebnis, nicht übernommen: ID 4, "), std::string::npos);

    const std::vector<ExchangeRow> libreOffice =
        readExchangeTexts(dataPath("import/libreoffice_formulas.xls"), {1031, 1033, 1049});
    ASSERT_EQ(idsOf(libreOffice), (std::vector<std::int64_t>{2, 4, 5}));
    for (const ExchangeRow& row : libreOffice) {
        EXPECT_EQ(row.texts[0], std::nullopt) << row.id;  // text results stored as 0
    }
    EXPECT_EQ(libreOffice[0].formulasWithoutText, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(libreOffice[1].formulasWithoutText, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(libreOffice[1].texts[2], std::nullopt);
    EXPECT_EQ(libreOffice[2].texts[2], "Температура [°C]");
}

TEST_F(ImportFile, DatabaseWhoseOnlyTableIsNotNamedTidxTexts) {
    const std::string file = exportTo("Texte.mdb", {1031});
    editExchange(file, {{6, {{"L1031", std::string("Tür geöffnet")}}}});
    renameTable(file, "TidxTexts", "Uebersetz");
    const ImportSummary summary = import(file, {1031});
    EXPECT_EQ(summary.languages[0].changed, 1u);
    EXPECT_EQ(columnById(project_, "L1031").at(6), Variant(std::string("Tür geöffnet")));
}

}  // namespace
}  // namespace glossel::transfer::test
