#pragma once
// The newest lines of a stream that another program writes into (a pipe on
// standard input), for live monitoring. Only what the newest lines need is
// kept: about kMaxLineSearchBytes of complete lines and the line being
// written, however long the stream runs.

#include "io/LiveLines.h"

#include <string>

class StreamTail : public LiveLines {
public:
    // Reads `fd`, which must stay open as long as the tail is used.
    explicit StreamTail(int fd) : m_fd(fd) {}

    // Takes in what has arrived, without waiting for more (at most
    // kMaxPumpBytes a call, so that a writer faster than the reader cannot
    // hold it). At the end of the stream the line being written counts as
    // complete. The error is the system's when reading fails, or the
    // refusal of a stream in UTF-16 or UTF-32.
    Result<> pump();
    // The stream has ended: nothing more will arrive.
    bool ended() const { return m_ended; }
    // The bytes kept of the complete lines: about kMaxLineSearchBytes, at
    // most twice that and the newest line, however long the stream runs.
    std::size_t keptBytes() const { return m_complete.size(); }

    // Lines end as in every reader (LF, CR LF or a lone CR). A line longer
    // than kMaxLastLineBytes is kept cut, as the last-line reader cuts it.
    Result<LastLine> newest() override;
    bool searchBefore(const LastLine& from, const LineTest& accept) override;

    static constexpr std::size_t kMaxPumpBytes = 64 << 20;

private:
    void take(std::string_view bytes);
    void addToLine(std::string_view bytes);
    void endLine(std::string_view lineEnd);
    void trim();

    int m_fd;
    std::uint64_t m_received = 0;
    std::int64_t m_lineEnds = 0;
    // Complete lines with their line ends; m_complete[0] is at stream offset
    // m_keptStart and always starts a line.
    std::string m_complete;
    std::uint64_t m_keptStart = 0;
    std::size_t m_newestStart = 0; // the newest complete line in m_complete
    std::size_t m_newestLength = 0;
    bool m_newestCut = false;
    std::string m_line; // the line being written
    bool m_lineCut = false;
    bool m_afterCR = false; // the last byte taken was a CR: an LF next belongs to it
    bool m_ended = false;
};
