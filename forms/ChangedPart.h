// Where two versions of a text differ: the part of one between what both begin and end with,
// so that the review can mark what a translator changed.
#pragma once

#include <QString>

namespace glossel::forms {

struct TextSpan {
    qsizetype start = 0;
    qsizetype length = 0;
};

// The part of `text` that `other` does not share at its beginning or end; empty (length 0, at
// the place of the change) when `other` only adds to `text`. Never splits a surrogate pair.
TextSpan changedPart(const QString& text, const QString& other);

}  // namespace glossel::forms
