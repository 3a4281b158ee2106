#include "io/LineScan.h"

#include "text/LineEndSearch.h"
#include "text/QuickValue.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <system_error>

// The blocks' size: small enough that those in flight stay in the caches,
// large enough that handing them over costs nothing.
LineScan::LineScan(const FieldRule& rule, int column, std::size_t blockBytes)
    : m_rule(rule), m_column(column), m_reader(blockBytes) {}

LineScan::~LineScan() {
    stop();
}

void LineScan::stop() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
}

Result<> LineScan::open(const std::string& path) {
    if (auto opened = m_reader.open(path); !opened)
        return opened;
    m_sizeAtOpen = m_reader.sizeAtOpen();
    for (ScannedBlock& slot : m_slots)
        m_free.push_back(&slot);
    // Without a thread (the system may refuse one) the caller's thread reads.
    try {
        for (int i = 0; i < kThreads; ++i)
            m_threads.emplace_back([this] { scanAhead(); });
    } catch (const std::system_error&) {
    }
    return {};
}

Result<> LineScan::openStream(UniqueFd fd) {
    if (auto opened = m_reader.openStream(std::move(fd)); !opened)
        return opened;
    m_sizeAtOpen = m_reader.sizeAtOpen();
    return {};
}

bool LineScan::read(ScannedBlock& block) {
    std::string_view text;
    if (!m_reader.next(text))
        return false;
    block.sequence = m_readCount++;
    block.offset = m_reader.offsetOf(text.data());
    block.size = text.size();
    block.bytes.resize(std::max(block.bytes.size(), text.size() + kLineEndSearchSlack));
    std::memcpy(block.bytes.data(), text.data(), text.size());
    block.column = m_column.load(std::memory_order_relaxed);
    return true;
}

void LineScan::scan(ScannedBlock& block, Scratch& scratch) const {
    const char* const base = block.bytes.data();
    const char delimiter = m_rule.delimiter.value_or('\0');
    // The line ends first, then the lines, which no longer wait for each
    // other, then the values: a division waits long for its result, and
    // the reading of the lines need not wait with it.
    std::vector<std::size_t>& lineEnds = scratch.lineEnds;
    lineEnds.clear();
    findLineEnds(base, block.size, lineEnds);
    const char* const blockEnd = base + block.size;
    if (lineEnds.empty() || pastLineEnd(base + lineEnds.back(), blockEnd) < blockEnd)
        lineEnds.push_back(block.size); // the file's last line, without a line end
    const std::size_t count = lineEnds.size();
    block.lines.resize(count);
    scratch.decimals.resize(count);
    ScannedLine* const lines = block.lines.data();
    std::uint8_t* const decimals = scratch.decimals.data();
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = lineEnds[i];
        ScannedLine& line = lines[i];
        line.next = end == block.size
                        ? end
                        : static_cast<std::size_t>(pastLineEnd(base + end, base + block.size) - base);
        line.fieldLength = ScannedLine::kNotPlain;
        QuickValue quick;
        if (m_rule.delimiter &&
            readQuickValue(base + start, base + end, block.column, delimiter, m_rule.skipRuns, quick) &&
            quick.field.data() - (base + start) < ScannedLine::kNotPlain) {
            line.fieldOffset = static_cast<std::uint32_t>(quick.field.data() - (base + start));
            line.fieldLength = static_cast<std::uint32_t>(quick.field.size());
            line.value = std::bit_cast<double>(quick.mantissa);
            decimals[i] = static_cast<std::uint8_t>(quick.fractionDigits | (quick.negative ? 0x80 : 0));
        }
        start = line.next;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (lines[i].fieldLength != ScannedLine::kNotPlain)
            lines[i].value = plainDecimalValue(std::bit_cast<std::uint64_t>(lines[i].value),
                                               decimals[i] & 0x7F, (decimals[i] & 0x80) != 0);
}

void LineScan::scanAhead() {
    Scratch scratch;
    for (;;) {
        ScannedBlock* slot = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || !m_free.empty(); });
            if (m_stopping)
                return;
            slot = m_free.back();
            m_free.pop_back();
        }
        bool filled;
        {
            const std::lock_guard reading(m_readMutex);
            filled = read(*slot);
            if (!filled) {
                const std::lock_guard lock(m_mutex);
                if (m_endAt == std::numeric_limits<std::uint64_t>::max()) {
                    m_endAt = m_readCount;
                    m_failed = m_reader.failed();
                    m_error = m_reader.error();
                }
                m_free.push_back(slot);
            }
        }
        if (!filled) {
            m_changed.notify_all();
            return;
        }
        scan(*slot, scratch);
        {
            const std::lock_guard lock(m_mutex);
            m_ready.push_back(slot);
        }
        m_changed.notify_all();
    }
}

const ScannedBlock* LineScan::next() {
    if (m_threads.empty()) {
        // A stream: read and scanned here, into the one slot.
        if (read(m_slots[0])) {
            scan(m_slots[0], m_callerScratch);
            return &m_slots[0];
        }
        m_failed = m_reader.failed();
        m_error = m_reader.error();
        return nullptr;
    }
    std::unique_lock lock(m_mutex);
    if (m_current) {
        m_free.push_back(m_current);
        m_current = nullptr;
        m_changed.notify_all();
    }
    // The blocks are handed over in the order they were read.
    const auto nextReady = [this] {
        return std::find_if(m_ready.begin(), m_ready.end(),
                            [this](const ScannedBlock* block) { return block->sequence == m_handedOver; });
    };
    m_changed.wait(lock, [&] { return m_handedOver == m_endAt || nextReady() != m_ready.end(); });
    const auto ready = nextReady();
    if (ready == m_ready.end())
        return nullptr;
    m_current = *ready;
    m_ready.erase(ready);
    ++m_handedOver;
    return m_current;
}
