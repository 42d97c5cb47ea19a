#include "store/store_encoding.h"

#include "store/store_record.h"
#include "store/utf8.h"

#include <algorithm>
#include <optional>

namespace hopwick {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

std::optional<std::string> roundTripCodePage932(SystemServices& platform, const std::string& text) {
    if (!isValidUtf8(text)) {
        return std::nullopt;
    }
    std::optional<std::string> encoded = platform.encodeCodePage932(text);
    // Some converters map a character to bytes that read back as another one (U+00A5 to 0x5C, a backslash).
    if (!encoded || platform.decodeCodePage932(*encoded) != text) {
        return std::nullopt;
    }
    return encoded;
}

bool isLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Decodes what can be decoded, character by character, and marks the rest.
std::string decodeCodePage932Leniently(SystemServices& platform, std::string_view bytes) {
    std::string text;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t length = isLeadByte(static_cast<unsigned char>(bytes[pos])) ? 2 : 1;
        std::optional<std::string> character;
        if (pos + length <= bytes.size()) {
            character = platform.decodeCodePage932(bytes.substr(pos, length));
        }
        if (character) {
            text += *character;
            pos += length;
        } else {
            text += kReplacement;
            ++pos;
        }
    }
    return text;
}

} // namespace

std::string encodeStore(SystemServices& platform, const std::vector<std::string>& texts) {
    std::vector<std::string> encoded;
    encoded.reserve(texts.size());
    for (const std::string& text : texts) {
        std::optional<std::string> bytes = roundTripCodePage932(platform, text);
        if (!bytes) {
            const bool utf8 = std::all_of(texts.begin(), texts.end(), isValidUtf8);
            return std::string(utf8 ? kUtf8Mark : kBytesMark) + formatRecord(texts);
        }
        encoded.push_back(std::move(*bytes));
    }
    return formatRecord(encoded);
}

DecodedStore decodeStore(SystemServices& platform, std::string_view bytes) {
    const bool asBytes = bytes.starts_with(kBytesMark);
    const bool utf8 = !asBytes && bytes.starts_with(kUtf8Mark);
    bytes.remove_prefix(asBytes ? kBytesMark.size() : utf8 ? kUtf8Mark.size() : 0);
    ParsedRecord record = parseRecord(bytes);
    DecodedStore store{{}, record.damaged};
    for (std::string& field : record.fields) {
        if (asBytes) {
            store.texts.push_back(std::move(field));
        } else if (utf8) {
            store.damaged |= !isValidUtf8(field);
            store.texts.push_back(repairUtf8(field));
        } else if (std::optional<std::string> text = platform.decodeCodePage932(field)) {
            store.texts.push_back(std::move(*text));
        } else {
            store.damaged = true;
            store.texts.push_back(decodeCodePage932Leniently(platform, field));
        }
    }
    return store;
}

} // namespace hopwick
