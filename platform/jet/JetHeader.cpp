// Header checks. Bytes 0x18.. of page 0 are XORed with an RC4 key stream of the fixed key
// C7 DA 39 6B (126 bytes in Jet 3, 128 in Jet 4); the Jet 4 password is XORed once more with the
// integer part of the creation date.
#include "platform/jet/JetHeader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/Error.h"
#include "platform/jet/Damage.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kVersionOffset = 0x14;
constexpr std::size_t kMaskStart = 0x18;
constexpr std::size_t kCodePageOffset = 0x3C;
constexpr std::size_t kEncryptionKeyOffset = 0x3E;
constexpr std::size_t kPasswordOffset = 0x42;
constexpr std::size_t kCreationDateOffset = 0x72;
constexpr char kMagic[] = "Standard Jet DB";  // followed by its NUL: 16 bytes at 0x04

std::vector<std::uint8_t> rc4KeyStream(std::size_t length) {
    const std::array<std::uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<std::uint8_t>(i);
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + key[i % key.size()]);
        std::swap(state[i], state[j]);
    }
    std::vector<std::uint8_t> stream(length);
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (auto& out : stream) {
        a = static_cast<std::uint8_t>(a + 1);
        b = static_cast<std::uint8_t>(b + state[a]);
        std::swap(state[a], state[b]);
        out = state[static_cast<std::uint8_t>(state[a] + state[b])];
    }
    return stream;
}

[[noreturn]] void unrecognised(const std::string& path, const std::string& why) {
    throw Error(err::kUnrecognisedFormat,
                "Nicht erkanntes Datenbankformat '" + path + "': " + why + ".");
}

bool hasPassword(const ByteView& header, const JetFormat& format) {
    std::vector<std::uint8_t> password(format.passwordLength);
    for (std::size_t i = 0; i < password.size(); ++i) {
        password[i] = header.u8(kPasswordOffset + i);
    }
    if (format.passwordMaskedByCreationDate) {
        double created = 0;
        const std::uint64_t bits = header.u64(kCreationDateOffset);
        std::memcpy(&created, &bits, sizeof created);
        std::uint32_t mask = 0;
        if (created > -2147483648.0 && created < 2147483648.0) {
            mask = static_cast<std::uint32_t>(static_cast<std::int32_t>(created));
        }
        for (std::size_t i = 0; i < password.size(); ++i) {
            password[i] ^= static_cast<std::uint8_t>(mask >> (8 * (i % 4)));
        }
    }
    return std::any_of(password.begin(), password.end(), [](std::uint8_t b) { return b != 0; });
}

}  // namespace

JetHeader readJetHeader(const PageStore& store, const std::string& path) {
    const std::uint32_t smallestPage = jet3Format().pageSize;
    if (store.size() < smallestPage) {
        unrecognised(path, "die Datei ist zu kurz für eine Jet-Datenbank");
    }
    std::vector<std::uint8_t> bytes(smallestPage);
    store.read(0, bytes);
    if (bytes[0] != 0 || std::memcmp(bytes.data() + 4, kMagic, sizeof kMagic) != 0) {
        unrecognised(path, "keine Jet-Datenbank");
    }
    const JetFormat* format = nullptr;
    switch (bytes[kVersionOffset]) {
        case 0:
            format = &jet3Format();
            break;
        case 1:
            format = &jet4Format();
            break;
        default:
            unrecognised(path, "Jet-Version " + std::to_string(bytes[kVersionOffset]) +
                                   " wird nicht unterstützt (nur Jet 3 und Jet 4)");
    }
    if (store.size() % format->pageSize != 0) {
        throwDamaged({path, std::nullopt, {}},
                     "die Dateigrösse ist kein Vielfaches der Seitengrösse " +
                         std::to_string(format->pageSize));
    }

    const auto mask = rc4KeyStream(format->maskedHeaderLength);
    for (std::size_t i = 0; i < mask.size(); ++i) {
        bytes[kMaskStart + i] ^= mask[i];
    }
    const ByteView header(bytes, {path, 0u, {}});
    if (header.u32(kEncryptionKeyOffset) != 0) {
        unrecognised(path, "die Datenbank ist verschlüsselt");
    }
    if (hasPassword(header, *format)) {
        throw Error(err::kPassword, "Die Datenbank '" + path +
                                        "' ist durch ein Kennwort geschützt; geschützte "
                                        "Datenbanken werden nicht unterstützt.");
    }
    return {format, header.u16(kCodePageOffset)};
}

}  // namespace glossel::jet
