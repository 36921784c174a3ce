// Texts an import or an export cannot take, gathered so that one error lists them all: the first
// twenty, one per line, and how many more there are. The error takes the number of the first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glossel::transfer {

class TextRefusals {
public:
    // `notTaken`: what befalls the texts, as in "3 Texte können nicht <notTaken> werden".
    explicit TextRefusals(std::string_view notTaken) : notTaken_(notTaken) {}

    void add(int number, const std::string& text);
    bool empty() const { return count_ == 0; }
    // Throws the error listing them, if there are any.
    void throwIfAny() const;

private:
    std::string notTaken_;
    std::size_t count_ = 0;
    int number_ = 0;
    std::string listed_;
};

}  // namespace glossel::transfer
