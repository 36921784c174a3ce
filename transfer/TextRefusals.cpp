// The one error that lists the refused texts.
#include "transfer/TextRefusals.h"

#include "platform/Error.h"

namespace glossel::transfer {
namespace {

constexpr std::size_t kListedRefusals = 20;

}  // namespace

void TextRefusals::add(int number, const std::string& text) {
    if (count_ == 0) {
        number_ = number;
    }
    if (count_++ < kListedRefusals) {
        listed_ += '\n';
        listed_ += text;
    }
}

void TextRefusals::throwIfAny() const {
    if (count_ == 0) {
        return;
    }
    std::string description = std::to_string(count_);
    description += count_ == 1 ? " Text kann" : " Texte können";
    description += " nicht ";
    description += notTaken_;
    description += " werden; es wird nichts geschrieben:";
    description += listed_;
    if (count_ > kListedRefusals) {
        description += "\n… und ";
        description += std::to_string(count_ - kListedRefusals);
        description += " weitere.";
    }
    throw Error(number_, description);
}

}  // namespace glossel::transfer
