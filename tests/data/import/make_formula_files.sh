#!/bin/sh
# Turns formula_texts.fods into two workbooks whose ID and language cells are FORMULA records:
# libreoffice_formulas.xls by LibreOffice's BIFF8 writer ("MS Excel 97"), and gnumeric_formulas.xls
# by Gnumeric's (ssconvert; scripts/setup --fixtures installs it), which reads OpenDocument only
# zipped, so it gets the .ods that LibreOffice makes of the same file. Run in this directory.
set -e
profile=$(mktemp -d)
work=$(mktemp -d)
soffice -env:UserInstallation=file://"$profile" --headless \
    --convert-to xls:"MS Excel 97" --outdir "$work" formula_texts.fods
soffice -env:UserInstallation=file://"$profile" --headless \
    --convert-to ods --outdir "$work" formula_texts.fods
mv "$work/formula_texts.xls" libreoffice_formulas.xls
HOME="$profile" ssconvert --export-type=Gnumeric_Excel:excel_biff8 "$work/formula_texts.ods" \
    gnumeric_formulas.xls
rm -rf "$profile" "$work"
