#!/bin/sh
# Converts libreoffice_texts.csv (UTF-8, comma-separated, CR LF between records and LF inside the
# quoted multi-line texts) into libreoffice_texts.xls with LibreOffice's own BIFF8 writer, as a
# translator who edits the texts in LibreOffice Calc hands them back. Run in this directory.
set -e
profile=$(mktemp -d)
soffice -env:UserInstallation=file://"$profile" --headless \
    --infilter="CSV:44,34,76,1" --convert-to xls:"MS Excel 97" libreoffice_texts.csv
rm -rf "$profile"
