#include "io/LineScan.h"

#include "text/LineEndSearch.h"

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
    block.lines.clear();
    const char* const base = block.bytes.data();
    const char delimiter = m_rule.delimiter.value_or('\0');
    // The line ends first, then the lines, which no longer wait for each other.
    m_lineEnds.clear();
    findLineEnds(base, block.size, m_lineEnds);
    if (m_lineEnds.empty() || m_lineEnds.back() + 1 < block.size)
        m_lineEnds.push_back(block.size); // the file's last line, without a line end
    m_digits.resize(m_lineEnds.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < m_lineEnds.size(); ++i) {
        const std::size_t end = m_lineEnds[i];
        ScannedLine scanned;
        scanned.end = end;
        scanned.next = end == block.size ? end : pastLineEnd(base + end, base + block.size) - base;
        if (m_rule.delimiter &&
            readQuickValue(base + start, base + end, block.column, delimiter, m_rule.skipRuns, m_digits[i])) {
            scanned.fieldStart = static_cast<std::size_t>(m_digits[i].field.data() - base);
            scanned.fieldLength = m_digits[i].field.size();
        }
        block.lines.push_back(scanned);
        start = scanned.next;
    }
    for (std::size_t i = 0; i < block.lines.size(); ++i)
        if (block.lines[i].fieldLength != ScannedLine::kNotPlain)
            block.lines[i].value = m_digits[i].value();
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
