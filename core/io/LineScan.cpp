#include "io/LineScan.h"

#include "text/LineEndSearch.h"
#include "text/QuickValue.h"

#include <bit>
#include <cstring>

namespace {
// Small enough that the blocks in flight stay in the caches, large enough
// that handing them over costs nothing.
constexpr std::size_t kBlockBytes = std::size_t{256} << 10;
} // namespace

LineScan::LineScan(const FieldRule& rule, int column)
    : m_rule(rule), m_column(column), m_reader(kBlockBytes) {}

LineScan::~LineScan() {
    stop();
}

void LineScan::stop() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

Result<> LineScan::open(const std::string& path) {
    if (auto opened = m_reader.open(path); !opened)
        return opened;
    m_sizeAtOpen = m_reader.sizeAtOpen();
    for (ScannedBlock& slot : m_slots)
        m_free.push_back(&slot);
    m_thread = std::thread([this] { scanAhead(); });
    return {};
}

Result<> LineScan::openStream(UniqueFd fd) {
    if (auto opened = m_reader.openStream(std::move(fd)); !opened)
        return opened;
    m_sizeAtOpen = m_reader.sizeAtOpen();
    return {};
}

bool LineScan::fill(ScannedBlock& block) {
    std::string_view text;
    if (!m_reader.next(text))
        return false;
    block.offset = m_reader.offsetOf(text.data());
    block.size = text.size();
    block.bytes.resize(std::max(block.bytes.size(), text.size() + kLineEndSearchSlack));
    std::memcpy(block.bytes.data(), text.data(), text.size());
    block.column = m_column.load(std::memory_order_relaxed);
    const char* const base = block.bytes.data();
    const char delimiter = m_rule.delimiter.value_or('\0');
    // The line ends first, then the lines, which no longer wait for each
    // other, then the values: a division waits long for its result, and
    // the reading of the lines need not wait with it.
    m_lineEnds.clear();
    findLineEnds(base, block.size, m_lineEnds);
    if (m_lineEnds.empty() || m_lineEnds.back() + 1 < block.size)
        m_lineEnds.push_back(block.size); // the file's last line, without a line end
    const std::size_t count = m_lineEnds.size();
    block.lines.resize(count);
    m_decimals.resize(count);
    ScannedLine* const lines = block.lines.data();
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = m_lineEnds[i];
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
            m_decimals[i] = static_cast<std::uint8_t>(quick.fractionDigits | (quick.negative ? 0x80 : 0));
        }
        start = line.next;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (lines[i].fieldLength != ScannedLine::kNotPlain)
            lines[i].value = plainDecimalValue(std::bit_cast<std::uint64_t>(lines[i].value),
                                               m_decimals[i] & 0x7F, (m_decimals[i] & 0x80) != 0);
    return true;
}

void LineScan::scanAhead() {
    for (;;) {
        ScannedBlock* slot = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || !m_free.empty(); });
            if (m_stopping)
                return;
            slot = m_free.front();
            m_free.pop_front();
        }
        const bool filled = fill(*slot);
        {
            const std::lock_guard lock(m_mutex);
            if (filled) {
                m_ready.push_back(slot);
            } else {
                m_failed = m_reader.failed();
                m_error = m_reader.error();
                m_done = true;
            }
        }
        m_changed.notify_all();
        if (!filled)
            return;
    }
}

const ScannedBlock* LineScan::next() {
    if (!m_thread.joinable()) {
        // A stream: read here, into the one slot.
        if (fill(m_slots[0]))
            return &m_slots[0];
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
    m_changed.wait(lock, [this] { return m_done || !m_ready.empty(); });
    if (m_ready.empty())
        return nullptr;
    m_current = m_ready.front();
    m_ready.pop_front();
    return m_current;
}
