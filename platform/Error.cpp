// The engine error: "number: description" as its message.
#include "platform/Error.h"

namespace glossel {

Error::Error(int number, std::string description)
    : std::runtime_error(std::to_string(number) + ": " + description),
      number_(number),
      description_(std::move(description)) {}

}  // namespace glossel
