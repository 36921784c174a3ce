// The common beginning and end of two texts.
#include "forms/ChangedPart.h"

#include <algorithm>

namespace glossel::forms {

TextSpan changedPart(const QString& text, const QString& other) {
    const qsizetype shorter = std::min(text.size(), other.size());
    qsizetype head = 0;
    while (head < shorter && text[head] == other[head]) {
        ++head;
    }
    // A pair's high half may be the same in both while its low half differs.
    if (head > 0 && text[head - 1].isHighSurrogate()) {
        --head;
    }
    qsizetype tail = 0;
    while (tail < shorter - head &&
           text[text.size() - 1 - tail] == other[other.size() - 1 - tail]) {
        ++tail;
    }
    if (tail > 0 && text[text.size() - tail].isLowSurrogate()) {
        --tail;
    }
    return {head, text.size() - head - tail};
}

}  // namespace glossel::forms
