// ICU converters for the Windows code pages, opened once per thread and code page: the program
// converts every text of a table, tens of thousands in a row.
#pragma once

#include <unicode/ucnv.h>

namespace glossel::nls {

inline constexpr int kCodePageUtf8 = 65001;

// The ANSI code pages of Windows (874, 932, 936, 949, 950, 1250 … 1258) and UTF-8.
bool isSupportedCodePage(int codePage);

// The converter for codePage, writing "?" for characters the code page cannot hold (Windows'
// default character), or nullptr for an unsupported code page. The converter belongs to the
// calling thread's cache; callers must not close it.
UConverter* codePageConverter(int codePage);

// Whether the code page maps the bytes 0x00-0x7F to U+0000-U+007F and back, so that ASCII text
// needs no conversion. False for an unsupported code page.
bool keepsAscii(int codePage);

}  // namespace glossel::nls
