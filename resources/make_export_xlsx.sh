#!/bin/sh
# Makes Export.xlsx, the template of the .xlsx exchange file, from tests/data/xls/Export.fods with
# LibreOffice's own OOXML writer (filter "Calc MS Excel 2007 XML"), the way Export.xls was made.
# Run from anywhere; writes resources/Export.xlsx. Needs soffice (LibreOffice 7.4.7) and python3.
#
# The .fods holds no view settings and a headless (nogui) soffice has no visible view whose frozen
# row the writer could take over (a macro's freezeAtPosition on a hidden view is silently lost), so
# the converted sheet has no <pane>. The Python step below adds it, written exactly as LibreOffice
# itself writes a frozen row 1 (as in a conversion of Export.xls): a <pane> and a second <selection>
# for the bottom-left pane. It rewrites the zip with the same parts in the same order, deflated,
# with a fixed time stamp so that two runs give the same bytes.
set -e
here=$(cd "$(dirname "$0")" && pwd)
fods="$here/../tests/data/xls/Export.fods"
profile=/tmp/lo-profile-template
work=$(mktemp -d)
trap 'rm -rf "$work" "$profile"' EXIT

soffice -env:UserInstallation=file://"$profile" --headless \
    --convert-to xlsx:"Calc MS Excel 2007 XML" --outdir "$work" "$fods" >/dev/null

python3 - "$work/Export.xlsx" "$here/Export.xlsx" <<'EOF'
import sys, zipfile
src, dst = sys.argv[1], sys.argv[2]
old = '<selection pane="topLeft" activeCell="A1" activeCellId="0" sqref="A1"/></sheetView>'
new = ('<pane xSplit="0" ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>'
       '<selection pane="topLeft" activeCell="A1" activeCellId="0" sqref="A1"/>'
       '<selection pane="bottomLeft" activeCell="A1" activeCellId="0" sqref="A1"/></sheetView>')
with zipfile.ZipFile(src) as zin, zipfile.ZipFile(dst, "w") as zout:
    for info in zin.infolist():
        data = zin.read(info)
        if info.filename == "xl/worksheets/sheet1.xml":
            text = data.decode("utf-8")
            if "<pane " not in text:
                if text.count(old) != 1:
                    sys.exit("make_export_xlsx.sh: sheetView of sheet1.xml not as expected")
                data = text.replace(old, new).encode("utf-8")
        out = zipfile.ZipInfo(info.filename, date_time=(1980, 1, 1, 0, 0, 0))
        out.compress_type = zipfile.ZIP_DEFLATED
        zout.writestr(out, data)
EOF
ls -l "$here/Export.xlsx"
