#pragma once
// A data file's lines in blocks, with each line's plain field (see
// QuickValue.h) read ahead. A regular file is read and scanned on two
// threads of its own while the caller handles the blocks before; a stream
// is read on the caller's thread, since a read that waits for a writer must
// not outlive the scan.

#include "base/Result.h"
#include "io/FileScan.h"
#include "io/LineBlocks.h"
#include "text/FieldExtraction.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <limits>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

// One line of a block: where the next one starts and, when it is the plain
// case, its field and value. Small, since there is one a line.
struct ScannedLine {
    static constexpr std::uint32_t kNotPlain = std::numeric_limits<std::uint32_t>::max();
    double value;
    std::uint64_t next;        // the next line's offset in the block's bytes
    std::uint32_t fieldOffset; // the field's offset in the line,
    std::uint32_t fieldLength; //   and its length; kNotPlain when it is not plain
};

struct ScannedBlock {
    std::uint64_t sequence = 0; // its place among the blocks
    std::vector<char> bytes;    // the lines, then kLineEndSearchSlack bytes
    std::size_t size = 0;
    std::uint64_t offset = 0;       // the file offset of its first byte
    int column = 0;                 // the field the plain values are of
    std::vector<ScannedLine> lines; // in order
    std::string_view text() const { return std::string_view(bytes.data(), size); }
};

class LineScan {
public:
    // No plain fields are read without a delimiter in `rule`. Blocks are read
    // `blockBytes` at a time (a longer line makes one longer).
    static constexpr std::size_t kBlockBytes = std::size_t{256} << 10;
    LineScan(const FieldRule& rule, int column, std::size_t blockBytes = kBlockBytes);
    LineScan(const LineScan&) = delete;
    LineScan& operator=(const LineScan&) = delete;
    ~LineScan();

    Result<> open(const std::string& path);
    Result<> openStream(UniqueFd fd);

    // The next block, valid until the next call; nullptr at the end of the
    // file or after a read error (failed() then tells).
    const ScannedBlock* next();
    bool failed() const { return m_failed; }
    const Error& error() const { return m_error; }
    std::uint64_t sizeAtOpen() const { return m_sizeAtOpen; }

    // The field that blocks scanned from now on read the plain values of.
    void setColumn(int column) { m_column.store(column, std::memory_order_relaxed); }

private:
    // What one scanning thread reuses from block to block.
    struct Scratch {
        std::vector<std::size_t> lineEnds;
        std::vector<std::uint8_t> decimals; // fraction digits, and the sign in the top bit
    };
    // Reads the next block into `block`; false at the end.
    bool read(ScannedBlock& block);
    // Finds the block's lines and reads their plain fields.
    void scan(ScannedBlock& block, Scratch& scratch) const;
    void scanAhead();
    void stop();

    // Two threads scan (the blocks are read in turn, scanned side by side
    // and handed over in order); two more slots hold the block being handled
    // and the one ready next.
    static constexpr int kThreads = 2;
    static constexpr std::size_t kSlots = 4;

    const FieldRule m_rule;
    std::atomic<int> m_column;
    LineBlocks m_reader; // read by one scanning thread at a time
    std::uint64_t m_sizeAtOpen = 0;
    bool m_failed = false;
    Error m_error;
    ScannedBlock m_slots[kSlots];
    Scratch m_callerScratch; // for a stream, scanned on the caller's thread
    ScannedBlock* m_current = nullptr;

    // Between the scanning threads and the caller.
    std::vector<std::thread> m_threads;
    std::mutex m_readMutex; // taken before m_mutex when both are
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<ScannedBlock*> m_ready; // scanned, in any order
    std::vector<ScannedBlock*> m_free;
    std::uint64_t m_readCount = 0;  // blocks read so far (under m_readMutex)
    std::uint64_t m_handedOver = 0; // blocks handed to the caller so far
    std::uint64_t m_endAt = std::numeric_limits<std::uint64_t>::max(); // blocks there are, once read through
    bool m_stopping = false;                                           // the caller wants no more
};
