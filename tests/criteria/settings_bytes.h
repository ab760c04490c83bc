// Builds settings records by hand, field after field, so that a test reads
// like the record's layout.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessaly::test {

class RecordBytes {
public:
    RecordBytes& bytes(std::initializer_list<int> values) {
        for (int value : values) bytes_.push_back(static_cast<char>(value));
        return *this;
    }
    // A length byte, then the text.
    RecordBytes& text(std::string_view text) {
        bytes_.push_back(static_cast<char>(text.size()));
        bytes_ += text;
        return *this;
    }
    // Zero bytes up to the record's 500.
    std::string padded() const {
        std::string record = bytes_;
        if (record.size() < 500) record.resize(500, '\0');
        return record;
    }
    const std::string& unpadded() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace tessaly::test
