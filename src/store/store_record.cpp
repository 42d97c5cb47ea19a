#include "store/store_record.h"

namespace hopwick {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool endsField(char c) {
    return c == ',' || isLineBreak(c);
}

class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    ParsedRecord read() {
        ParsedRecord record;
        while (static_cast<int>(record.fields.size()) < kStoreFields && startField()) {
            record.fields.push_back(atQuote() ? quotedField() : bareField());
        }
        record.damaged = damaged_ || static_cast<int>(record.fields.size()) < kStoreFields;
        return record;
    }

private:
    // Skips what may stand before a field; false at the end of the bytes.
    bool startField() {
        while (pos_ < bytes_.size() && (isBlank(bytes_[pos_]) || isLineBreak(bytes_[pos_]))) {
            damaged_ |= isBlank(bytes_[pos_]);
            ++pos_;
        }
        return pos_ < bytes_.size();
    }

    bool atQuote() const { return bytes_[pos_] == '"'; }

    std::string quotedField() {
        const std::size_t open = pos_ + 1;
        const std::size_t close = bytes_.find('"', open);
        if (close == std::string_view::npos) {
            damaged_ = true;
            pos_ = bytes_.size();
            return clean(bytes_.substr(open));
        }
        pos_ = close + 1;
        skipToNextField();
        return clean(bytes_.substr(open, close - open));
    }

    std::string bareField() {
        damaged_ = true;
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && !endsField(bytes_[pos_])) {
            ++pos_;
        }
        std::string_view text = bytes_.substr(start, pos_ - start);
        while (!text.empty() && isBlank(text.back())) {
            text.remove_suffix(1);
        }
        consumeDelimiter();
        return clean(text);
    }

    void skipToNextField() {
        while (pos_ < bytes_.size() && !endsField(bytes_[pos_])) {
            damaged_ |= !isBlank(bytes_[pos_]);
            ++pos_;
        }
        consumeDelimiter();
    }

    void consumeDelimiter() {
        if (pos_ < bytes_.size()) {
            ++pos_; // a comma, CR or LF; the LF of a CR LF is skipped with the blanks before the next field
        }
    }

    // A NUL can stand in no path or text the list shows, and a double quote in no text the store can write
    // back (only an unquoted field can hold one).
    std::string clean(std::string_view text) {
        std::string result;
        result.reserve(text.size());
        for (char c : text) {
            if (c == '\0' || c == '"') {
                damaged_ = true;
            } else {
                result.push_back(c);
            }
        }
        return result;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool damaged_ = false;
};

} // namespace

std::string formatRecord(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += '"';
        line += fields[i];
        line += '"';
    }
    line += "\r\n";
    return line;
}

ParsedRecord parseRecord(std::string_view bytes) {
    return RecordReader(bytes).read();
}

} // namespace hopwick
