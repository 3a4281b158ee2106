#pragma once
// Where live monitoring finds the newest lines: a data file that another
// program keeps appending to, or a stream such as a pipe.

#include "io/LastLineReader.h"
#include "io/LineSearch.h"

#include <string>

class LiveLines {
public:
    virtual ~LiveLines() = default;
    // The newest complete line and the line count, as LastLineReader gives them.
    virtual Result<LastLine> newest() = 0;
    // The newest complete line before `from` that `accept` takes, looked for
    // at most kMaxLineSearchBytes back.
    virtual bool searchBefore(const LastLine& from, const LineTest& accept) = 0;
};

// A data file, read through the monitor's last-line reader.
class DataFileLines : public LiveLines {
public:
    DataFileLines(LastLineReader& reader, const std::string& path) : m_reader(reader), m_path(path) {}
    Result<LastLine> newest() override { return m_reader.read(m_path); }
    bool searchBefore(const LastLine& from, const LineTest& accept) override {
        return searchLinesBackward(m_path, from.start, kMaxLineSearchBytes, accept);
    }

private:
    LastLineReader& m_reader;
    const std::string& m_path;
};
