// Where each entry of the result pane starts and which file it names, kept
// as entries are added: the file under the caret is looked up here, never
// read back out of the pane's text, where a passage may hold "2. " or a
// path "   [" like any heading.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tessaly {

class ResultEntryIndex {
public:
    void clear() { entries_.clear(); }
    // `start` (in the pane's units) is where the entry's heading begins;
    // entries come in the pane's order.
    void add(std::size_t start, std::string path);
    // The file of the last entry whose heading begins at or before `offset`;
    // before the first heading, the first entry's. Null without entries.
    const std::string* fileAt(std::size_t offset) const;
    // Where the heading of that same entry begins; 0 without entries.
    std::size_t headingAt(std::size_t offset) const;
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry;
    const Entry* entryAt(std::size_t offset) const;
    struct Entry {
        std::size_t start;
        std::string path;
    };
    std::vector<Entry> entries_;
};

}  // namespace tessaly
