#!/bin/sh
# Converts libreoffice_texts.fods into libreoffice_texts.xlsx with LibreOffice's own Office Open
# XML writer (filter "Calc MS Excel 2007 XML"), as a translator who edits the texts in LibreOffice
# Calc hands them back: formula cells keep their cached results, texts as shared strings.
# Then writes libreoffice_texts.json with dump_openpyxl.py. Run in this directory.
set -e
profile=/tmp/lo-profile-xlsx
soffice -env:UserInstallation=file://"$profile" --headless \
    --convert-to xlsx:"Calc MS Excel 2007 XML" libreoffice_texts.fods
rm -rf "$profile"
/usr/bin/python3 dump_openpyxl.py libreoffice_texts.xlsx > libreoffice_texts.json
