#include "io/LineSearch.h"

#include "io/FileScan.h"
#include "text/ByteOrderMark.h"

#include <algorithm>
#include <vector>

bool searchBlockBackward(std::string_view block, bool atLineStart, const LineTest& accept) {
    // Past the line end at `at`: CR LF is one.
    const auto pastLineEnd = [&](std::size_t at) {
        return at + (block[at] == '\r' && at + 1 < block.size() && block[at + 1] == '\n' ? 2 : 1);
    };
    std::size_t start = 0;
    if (!atLineStart) {
        const std::size_t end = block.find_first_of("\r\n");
        if (end == std::string_view::npos)
            return false;
        start = pastLineEnd(end);
    }
    // The lines oldest first, then tried newest first.
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    while (start < block.size()) {
        const std::size_t end = block.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            break; // not a line of its own: the block ends inside it
        lines.emplace_back(start, end);
        start = pastLineEnd(end);
    }
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (accept(block.substr(line->first, line->second - line->first)))
            return true;
    return false;
}

bool searchLinesBackward(const std::string& path, std::uint64_t before, std::uint64_t maxBytes,
                         const LineTest& accept) {
    if (before == 0 || maxBytes == 0)
        return false;
    // One byte more than the stretch, when there is one: it tells whether the
    // stretch starts with a whole line or inside one.
    const std::uint64_t stretch = std::min(before, maxBytes);
    const bool fromStart = stretch == before;
    const std::uint64_t offset = before - stretch - (fromStart ? 0 : 1);
    const auto fd = openReadOnly(path);
    if (!fd)
        return false;
    const auto bytes = readRange(fd->get(), offset, before - offset);
    if (!bytes)
        return false;
    std::string_view block = *bytes;
    if (fromStart && block.starts_with(kUtf8ByteOrderMark))
        block.remove_prefix(kUtf8ByteOrderMark.size());
    if (!fromStart) {
        // The byte before the stretch: a line end there starts a whole line.
        const bool lineEndBefore = block.front() == '\n' || block.front() == '\r';
        block.remove_prefix(1);
        if (lineEndBefore && !block.empty() && block.front() == '\n' && (*bytes)[0] == '\r')
            block.remove_prefix(1); // the LF of a CR LF is no line of its own
        return searchBlockBackward(block, lineEndBefore, accept);
    }
    return searchBlockBackward(block, true, accept);
}
