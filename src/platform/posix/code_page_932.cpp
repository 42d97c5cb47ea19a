#include "platform/system_platform.h"

#include <cerrno>
#include <iconv.h>

namespace hopwick {

namespace {

// iconv's "CP932" is Microsoft's table (0x5C is the backslash, 0x8160 is U+FF5E); its "SHIFT_JIS" is not.
constexpr const char* kCodePage932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";

// Converts the whole input or nothing: no transliteration, no skipping. A descriptor per call keeps this
// free of shared state.
std::optional<std::string> convert(std::string_view input, const char* to, const char* from) {
    if (input.empty()) {
        return std::string();
    }
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data()); // iconv's signature; it does not write through it
    std::size_t inLeft = input.size();
    std::size_t produced = 0;
    bool ok = true;
    for (bool flushing = false;;) {
        char* out = output.data() + produced;
        std::size_t outLeft = output.size() - produced;
        const std::size_t result = flushing ? iconv(converter, nullptr, nullptr, &out, &outLeft)
                                            : iconv(converter, &in, &inLeft, &out, &outLeft);
        produced = output.size() - outLeft;
        if (result == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            ok = false; // EILSEQ: no code for a character, or invalid bytes; EINVAL: cut short at the end
            break;
        }
        // A non-reversible conversion counts as "no code": iconv would have substituted something.
        if (result != 0 && !flushing) {
            ok = false;
            break;
        }
        if (flushing) {
            break;
        }
        flushing = true;
    }
    iconv_close(converter);
    if (!ok) {
        return std::nullopt;
    }
    output.resize(produced);
    return output;
}

} // namespace

std::optional<std::string> SystemPlatform::encodeCodePage932(std::string_view utf8) {
    std::optional<std::string> encoded = convert(utf8, kCodePage932, kUtf8);
    // iconv maps a few characters that Windows refuses onto the code of another (U+301C to 0x8160, which
    // reads back as U+FF5E; U+00A5 to the backslash). A path that does not read back is no path: refuse it.
    if (encoded) {
        const std::optional<std::string> readBack = convert(*encoded, kUtf8, kCodePage932);
        if (!readBack || *readBack != utf8) {
            return std::nullopt;
        }
    }
    return encoded;
}

std::optional<std::string> SystemPlatform::decodeCodePage932(std::string_view bytes) {
    return convert(bytes, kUtf8, kCodePage932);
}

} // namespace hopwick
